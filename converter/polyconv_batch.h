// The converter without a window: `polyconv [--invert] [--scale S] INPUT OUTPUT.po3` converts
// like the dialog does and ends with the result code as exit status. A command line of one file
// that is not an option opens the dialog instead (the program's main decides that).
#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "converter/cob_conversion.h"

// Converts one request and adds its notes; the program passes the one that also reads the
// model kinds of the import library. Without it only COB files are read.
using Po3Conversion =
    std::function<int(const ConversionRequest& request, std::vector<std::string>* notes)>;

// Exit status for a command line that names no conversion (a usage error).
inline constexpr int kUsageError = 64;

// Runs the command line `arguments` (without the program name). The result message goes to
// `out` on success and to `err` otherwise; returns the exit status.
int RunPolyconvBatch(const std::vector<std::string>& arguments, std::ostream& out,
                     std::ostream& err, const Po3Conversion& convert = nullptr);

// True when the command line asks for the dialog with an input file: one argument that is
// not an option.
bool OpensDialogWithInput(const std::vector<std::string>& arguments);
