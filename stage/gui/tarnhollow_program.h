// The stage editor program: without arguments its main window, with a stage or partition
// file that file opened in it; `--import-pat` / `--open` with `--save` and `--render` work
// without a window; `--help` explains (in Japanese).
#pragma once

#include <string>

// The text "--help" prints.
std::string TarnhollowUsage();
// Returns the process exit status.
int RunTarnhollow(int argc, char** argv);
