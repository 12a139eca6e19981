// merrowlindale: the course designer.
#include "course/gui/merrowlindale_program.h"

int main(int argc, char** argv) { return RunMerrowlindale(argc, argv); }
