// The process-wide error reporter: one line per report in "ErrorLog.err" (Shift-JIS, CRLF);
// level 3 ends the program.
#pragma once

#include <cstdint>

class Error1 {
 public:
  // Writes "エラー発生クラス：<tag>\t\t\tメッセージ：<message>" to the log. The first report of
  // a run truncates the log, later ones append. Levels 0-2 return, level 3 exits the process
  // with status 1, any other level appends a second line about the undefined level and returns.
  static void Report(const char* class_tag, const char* message, uint32_t level);

  // True once this run has written the log (the next report appends).
  static bool LogWritten();
  // Test hook: makes the next report start a new log, as a new run would.
  static void ResetLogFlagForTesting();
};
