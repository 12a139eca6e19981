// Window handles for the per-window tables: every widget that a class keeps a record for gets
// a small process-unique number, so HWNDDataBase2 can key its records as it keys windows.
#pragma once

#include <cstdint>

class QWidget;

class WindowHandles {
 public:
  // The handle of `widget`, issued on first use; 0 for nullptr. Handles are never reused
  // within a run, so a stale handle never finds another window.
  static uint32_t Of(QWidget* widget);
  // The live widget with that handle, or nullptr.
  static QWidget* Find(uint32_t handle);
};
