#include "fuzz/targets/fatal_report.h"

#include <cstdio>
#include <cstdlib>

#include "foundation/error.h"

namespace {
bool fatal_reports_throw = false;
bool log_written = false;
}  // namespace

void SetFatalReportsThrow(bool throws) { fatal_reports_throw = throws; }

void Error1::Report(const char* class_tag, const char* message, uint32_t level) {
  log_written = true;
  if (level != 3) return;
  if (fatal_reports_throw) throw FatalReport{};
  std::fprintf(stderr, "level-3 report from %s: %s\n", class_tag, message);
  std::abort();
}

bool Error1::LogWritten() { return log_written; }

void Error1::ResetLogFlagForTesting() { log_written = false; }
