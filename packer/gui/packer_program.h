// The picture packer program around its dialog: the start-up checks, the classes the dialog
// needs and their shut-down, and the choice between the dialog and the batch mode.
#pragma once

#include <string>

class PackerClasses {
 public:
  // Starts the picture bank (16 bits) and the window classes of the dialogs.
  static void StartUp();
  // Shuts them down again; a shut-down without a start-up is reported under "WinMain".
  static void ShutDown();
  static bool Started();
};

// Checks the display's colour depth, starts the classes, runs the main dialog until it is
// closed and shuts the classes down. Returns the exit status (1 when the display is refused).
// An empty `settings_path` means "Settei.ini" beside the program; a program folder that
// cannot be found is reported under "WinMain" and ends the program. A non-empty `open_path`
// is put into the list as the dialog opens.
int RunPackerDialog(const std::string& settings_path = "", const std::string& open_path = "");

// The whole program: the dialog without arguments or with one picture file to open, the
// batch mode with options.
int TessalyMain(int argc, char** argv);
