// The model import run in a child process of its own, so that a reader of the import library
// that crashes, hangs or runs away with memory on a damaged file takes only the child with it:
// the converter then reports the file as unreadable. The child hands the object and its
// texture files back through a pipe, read with the same checks as a file.
#pragma once

#include <string>

#include "converter/cob_file.h"
#include "exchange/model_import.h"

// ImportModel in a child process. `progress` is asked about ten times a second while the
// child works; a cancel ends the child (kConversionCancelled). A child that dies, or hands back
// what does not read, gives kModelUnreadable. Where no child can be made, imports here.
int ImportModelIsolated(const std::string& path, bool invert, float scale,
                        const CobProgress& progress, ImportedModel* model);
