// The converter without a window: `polyconv [--invert] INPUT.cob OUTPUT.po3` converts like the
// dialog does and ends with the result code as exit status. A command line of one file that is
// not an option opens the dialog instead (the program's main decides that).
#pragma once

#include <ostream>
#include <string>
#include <vector>

// Exit status for a command line that names no conversion (a usage error).
inline constexpr int kUsageError = 64;

// Runs the command line `arguments` (without the program name). The result message goes to
// `out` on success and to `err` otherwise; returns the exit status.
int RunPolyconvBatch(const std::vector<std::string>& arguments, std::ostream& out,
                     std::ostream& err);

// True when the command line asks for the dialog with an input file: one argument that is
// not an option.
bool OpensDialogWithInput(const std::vector<std::string>& arguments);
