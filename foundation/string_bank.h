// The process-wide bank of texts addressed by ID.
#pragma once

#include <cstdint>

class StringBank1 {
 public:
  static void StartUp();
  static void ShutDown();
  static int32_t AddString(const char* text);
  static void RemoveString(int32_t id);
  static void ReplaceString(int32_t id, const char* text);
  // Owned by the bank; valid until the ID is removed or replaced.
  static const char* StringText(int32_t id);
  static void CopyString(int32_t id, char* buffer, int32_t capacity);
};
