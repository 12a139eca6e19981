// The window services every program's windows use: the file dialog that remembers its
// folder, the window placement kept in the settings file, the colour dialog that keeps its
// custom colours there, the 16-bit off-screen surface of a window and its client size.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "foundation/ask_file_path.h"
#include "foundation/surface16.h"

class QWidget;

// The placement as the settings file keeps it, under the section's eleven keys.
struct WindowPlacementRecord {
  int32_t length = 0;
  int32_t flags = 0;
  int32_t show_cmd = 1;  // 1 normal, 2 minimised, 3 maximised
  int32_t min_x = 0, min_y = 0;
  int32_t max_x = 0, max_y = 0;
  int32_t top = 10, left = 10, right = 500, bottom = 400;  // the normal rectangle
};

class WindowsService1 {
 public:
  static constexpr int32_t kPlacementLength = 44;
  static constexpr int32_t kShowNormal = 1;
  static constexpr int32_t kShowMinimised = 2;
  static constexpr int32_t kShowMaximised = 3;

  // 0 when a path was chosen (into `path`), 1 when cancelled; see AskFilePath.
  static int AskFilePath(QWidget* owner, std::string& path, const std::string& section,
                         const std::string& settings_path, const std::vector<FileFilter>& filters,
                         FileDialogKind kind, const std::string& title = "");

  // The stored placement with its defaults; a stored minimised state reads as normal, and a
  // length of 0 as the record's length.
  static WindowPlacementRecord ReadPlacement(const std::string& section,
                                             const std::string& settings_path);
  static bool WritePlacement(const WindowPlacementRecord& placement, const std::string& section,
                             const std::string& settings_path);
  // Applies the stored placement to a top-level window (normal rectangle as its client
  // geometry, then the show state; the window is not shown here).
  static void LoadPlacement(QWidget* window, const std::string& section,
                            const std::string& settings_path);
  // Writes the window's placement; false when the settings file cannot be written.
  static bool SavePlacement(QWidget* window, const std::string& section,
                            const std::string& settings_path);
  // The placement of a window as it would be saved.
  static WindowPlacementRecord PlacementOf(QWidget* window);

  // Colour dialog starting at (red, green, blue) with the section's "CustumColor0".."15";
  // 0 and the colour written back when chosen (the custom colours saved), 1 when cancelled.
  static int ChooseColour(QWidget* owner, uint8_t& red, uint8_t& green, uint8_t& blue,
                          const std::string& section, const std::string& settings_path);

  // Makes `surface` the window's client size (re-created, cleared).
  static void CreateSurface(QWidget* window, Surface16& surface);
  static void ClientSize(QWidget* window, int32_t& width, int32_t& height);
};
