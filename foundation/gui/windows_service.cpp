#include "foundation/gui/windows_service.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>
#include <cstdio>

#include "foundation/settings_file.h"

namespace {

struct PlacementKey {
  const char* name;
  int32_t WindowPlacementRecord::*field;
  int fallback;
};

// In the order they are written.
constexpr PlacementKey kPlacementKeys[] = {
    {"Length", &WindowPlacementRecord::length, 0},
    {"Flags", &WindowPlacementRecord::flags, 0},
    {"ShowCmd", &WindowPlacementRecord::show_cmd, 1},
    {"MinPos.x", &WindowPlacementRecord::min_x, 0},
    {"MinPos.y", &WindowPlacementRecord::min_y, 0},
    {"MaxPos.x", &WindowPlacementRecord::max_x, 0},
    {"MaxPos.y", &WindowPlacementRecord::max_y, 0},
    {"Top", &WindowPlacementRecord::top, 10},
    {"Left", &WindowPlacementRecord::left, 10},
    {"Right", &WindowPlacementRecord::right, 500},
    {"Bottom", &WindowPlacementRecord::bottom, 400},
};

// A rectangle the window can be restored to: it has a size and part of it is on a screen
// (a placement saved on a monitor that is gone would otherwise leave the window unreachable).
bool Reachable(const QRect& rect) {
  if (rect.width() <= 0 || rect.height() <= 0) return false;
  const QList<QScreen*> screens = QGuiApplication::screens();
  if (screens.isEmpty()) return true;
  for (const QScreen* screen : screens) {
    if (screen->availableGeometry().intersects(rect)) return true;
  }
  return false;
}

}  // namespace

int WindowsService1::AskFilePath(QWidget* owner, std::string& path, const std::string& section,
                                 const std::string& settings_path,
                                 const std::vector<FileFilter>& filters, FileDialogKind kind,
                                 const std::string& title) {
  return ::AskFilePath(owner, path, section, settings_path, filters, kind, title);
}

WindowPlacementRecord WindowsService1::ReadPlacement(const std::string& section,
                                                     const std::string& settings_path) {
  WindowPlacementRecord placement;
  for (const PlacementKey& key : kPlacementKeys) {
    placement.*key.field = SettingsFile::ReadInt(settings_path, section, key.name, key.fallback);
  }
  if (placement.show_cmd == kShowMinimised) placement.show_cmd = kShowNormal;
  if (placement.length == 0) placement.length = kPlacementLength;
  return placement;
}

bool WindowsService1::WritePlacement(const WindowPlacementRecord& placement,
                                     const std::string& section, const std::string& settings_path) {
  std::vector<std::pair<std::string, std::string>> values;
  for (const PlacementKey& key : kPlacementKeys) {
    values.emplace_back(key.name, std::to_string(placement.*key.field));
  }
  return SettingsFile::WriteStrings(settings_path, section, values);
}

void WindowsService1::LoadPlacement(QWidget* window, const std::string& section,
                                    const std::string& settings_path) {
  const WindowPlacementRecord placement = ReadPlacement(section, settings_path);
  QRect normal(QPoint(placement.left, placement.top),
               QPoint(placement.right - 1, placement.bottom - 1));
  if (!Reachable(normal)) {
    const WindowPlacementRecord defaults;
    normal =
        QRect(QPoint(defaults.left, defaults.top), QPoint(defaults.right - 1, defaults.bottom - 1));
  }
  window->setWindowState(Qt::WindowNoState);
  window->setGeometry(normal);
  // Every show state other than maximised comes back as the normal window: a window that
  // was closed hidden or minimised must be seen again.
  if (placement.show_cmd == kShowMaximised) window->setWindowState(Qt::WindowMaximized);
}

WindowPlacementRecord WindowsService1::PlacementOf(QWidget* window) {
  WindowPlacementRecord placement;
  placement.length = kPlacementLength;
  const Qt::WindowStates state = window->windowState();
  placement.show_cmd = (state & Qt::WindowMinimized)   ? kShowMinimised
                       : (state & Qt::WindowMaximized) ? kShowMaximised
                                                       : kShowNormal;
  const QRect normal = (state & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))
                           ? window->normalGeometry()
                           : window->geometry();
  const QRect rect = normal.isValid() ? normal : window->geometry();
  placement.left = rect.left();
  placement.top = rect.top();
  placement.right = rect.left() + rect.width();
  placement.bottom = rect.top() + rect.height();
  return placement;
}

bool WindowsService1::SavePlacement(QWidget* window, const std::string& section,
                                    const std::string& settings_path) {
  return WritePlacement(PlacementOf(window), section, settings_path);
}

int WindowsService1::ChooseColour(QWidget*, uint8_t& red, uint8_t& green, uint8_t& blue,
                                  const std::string& section, const std::string& settings_path) {
  std::array<uint32_t, 16> custom{};
  char key[32];
  for (int i = 0; i < 16; ++i) {
    std::snprintf(key, sizeof key, "CustumColor%d", i);
    custom[size_t(i)] = uint32_t(SettingsFile::ReadInt(settings_path, section, key, 0));
  }
  PromptColour colour{red, green, blue};
  // The dialog has no owner window, as the colour dialogs of the programs always had.
  if (!Prompter::Current().ChooseColour(nullptr, colour, custom)) return 1;
  std::vector<std::pair<std::string, std::string>> values;
  for (int i = 0; i < 16; ++i) {
    std::snprintf(key, sizeof key, "CustumColor%d", i);
    values.emplace_back(key, std::to_string(int(custom[size_t(i)])));
  }
  SettingsFile::WriteStrings(settings_path, section, values);
  red = colour.red;
  green = colour.green;
  blue = colour.blue;
  return 0;
}

void WindowsService1::CreateSurface(QWidget* window, Surface16& surface) {
  int32_t width = 0, height = 0;
  ClientSize(window, width, height);
  surface.Resize(width, height);
}

void WindowsService1::ClientSize(QWidget* window, int32_t& width, int32_t& height) {
  width = window->width();
  height = window->height();
}
