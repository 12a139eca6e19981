// The converter's whole job for any input it accepts: a COB file goes through the COB reader
// as it always did, a model of the import library's kinds (model_import.h) through that. Both
// give the result codes of cob_conversion.h and write nothing unless the whole conversion
// succeeds.
#pragma once

#include <string>
#include <vector>

#include "converter/cob_conversion.h"

// Imports the model (in a child process, isolated_import.h), checks the output and writes the
// object file, its listing and the texture files as one atomic save.
int ConvertModelToPo3(const ConversionRequest& request, const CobProgress& progress);

// A model file (by its extension) through ConvertModelToPo3, anything else as COB.
int ConvertToPo3(const ConversionRequest& request, const CobProgress& progress,
                 std::vector<std::string>* notes);
