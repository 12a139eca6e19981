#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz/inputs/fuzz_inputs.h"

// The import library leaks on the error paths of its readers; leaks of our own still count.
extern "C" const char* __lsan_default_suppressions() { return "leak:libassimp\n"; }

// The first byte chooses the model kind (and the turn-over option), the rest is the file.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string problem =
      ExerciseModelImport(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!problem.empty()) {
    std::fprintf(stderr, "broken promise: %s\n", problem.c_str());
    std::abort();
  }
  return 0;
}
