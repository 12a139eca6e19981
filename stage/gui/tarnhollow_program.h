// The stage editor program: without arguments its main window, with a stage or partition
// file that file opened in it; `--import-pat` / `--open` with `--save` and `--render` work
// without a window; `--help` explains (in Japanese).
#pragma once

#include <string>

class StageMainWindow1;

// The start of the window after it was made: the colour-depth check (false, after its
// message, when the display's depth is refused: the program then ends), the saved placement,
// the window shown, the offer of work a crashed run left in a recovery copy, the start-up
// picture over the window, and `file` opened when it is not "" and no work was recovered.
bool StartStageEditor(StageMainWindow1& window, const std::string& file);
// The text "--help" prints.
std::string TarnhollowUsage();
// Returns the process exit status.
int RunTarnhollow(int argc, char** argv);
