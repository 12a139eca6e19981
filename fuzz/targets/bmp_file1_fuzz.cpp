#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz/inputs/fuzz_inputs.h"
#include "fuzz/targets/fatal_report.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SetFatalReportsThrow(true);
  std::string problem;
  try {
    problem = ExerciseBmpFile1(std::string_view(reinterpret_cast<const char*>(data), size));
  } catch (const FatalReport&) {
    // The reader refused the file the way its callers expect: by ending the program.
  }
  if (!problem.empty()) {
    std::fprintf(stderr, "broken promise: %s\n", problem.c_str());
    std::abort();
  }
  return 0;
}
