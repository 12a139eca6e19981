#include "foundation/error.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "foundation/shift_jis.h"

namespace {

bool log_written = false;

void WriteLine(const char* class_tag, const char* message) {
  std::FILE* file = std::fopen("ErrorLog.err", log_written ? "ab" : "wb");
  if (file != nullptr) {
    std::string line = "エラー発生クラス：";
    line += class_tag;
    line += "\t\t\tメッセージ：";
    line += message;
    const std::string bytes = Utf8ToShiftJis(line) + "\r\n";
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fflush(file);
    std::fclose(file);
  }
  // The flag is set even when the log could not be opened: the run has "written" its first
  // line as far as the next report is concerned.
  log_written = true;
}

}  // namespace

void Error1::Report(const char* class_tag, const char* message, uint32_t level) {
  WriteLine(class_tag, message);
  if (level <= 2) return;
  if (level == 3) {
    // Exit status 1: a program ended by a misuse check must not report success.
    std::exit(1);
  }
  WriteLine("Error1", "設定されていないレベルで設定しようとしました");
}

bool Error1::LogWritten() { return log_written; }

void Error1::ResetLogFlagForTesting() { log_written = false; }
