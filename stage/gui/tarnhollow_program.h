// The stage editor program: without arguments its main window, with a stage or partition
// file that file opened in it; `--import-pat` / `--open` with `--save` and `--render` work
// without a window; `--help` explains (in Japanese).
#pragma once

#include <string>

class StageMainWindow1;

// The start of the window after it was made: the colour-depth check (false, after its
// message, when the display's depth is refused: the program then ends), the saved placement,
// the window shown with the start-up picture over it, and `file` opened when it is not "".
bool StartStageEditor(StageMainWindow1& window, const std::string& file);
// The text "--help" prints.
std::string TarnhollowUsage();
// Returns the process exit status.
int RunTarnhollow(int argc, char** argv);
