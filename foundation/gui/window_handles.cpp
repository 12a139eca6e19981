#include "foundation/gui/window_handles.h"

#include <QObject>
#include <QVariant>
#include <QWidget>
#include <unordered_map>

namespace {

constexpr const char* kHandleProperty = "suite_window_handle";

std::unordered_map<uint32_t, QWidget*>& Live() {
  static std::unordered_map<uint32_t, QWidget*> live;
  return live;
}

}  // namespace

uint32_t WindowHandles::Of(QWidget* widget) {
  if (widget == nullptr) return 0;
  const QVariant stored = widget->property(kHandleProperty);
  if (stored.isValid()) return stored.toUInt();
  static uint32_t next = 0x100;
  const uint32_t handle = next++;
  widget->setProperty(kHandleProperty, handle);
  Live()[handle] = widget;
  QObject::connect(widget, &QObject::destroyed, [handle] { Live().erase(handle); });
  return handle;
}

QWidget* WindowHandles::Find(uint32_t handle) {
  const auto found = Live().find(handle);
  return found == Live().end() ? nullptr : found->second;
}
