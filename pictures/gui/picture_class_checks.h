// The checks every picture window makes before it is created.
#pragma once

#include "foundation/class_startup.h"

// The class must be started and the picture bank must run at 16 bits (misuse otherwise).
void RequirePictureWindowClass(const ClassStartUp& counter);
