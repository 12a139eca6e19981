// The converter without a window: `polyconv [--invert] INPUT.cob OUTPUT.po3` converts like the
// dialog does and ends with the result code as exit status.
#pragma once

#include <ostream>
#include <string>
#include <vector>

// Exit status for a command line that names no conversion.
inline constexpr int kUsageError = 64;

// Runs the command line `arguments` (without the program name). The result message goes to
// `out` on success and to `err` otherwise; returns the exit status.
int RunPolyconvBatch(const std::vector<std::string>& arguments, std::ostream& out,
                     std::ostream& err);
