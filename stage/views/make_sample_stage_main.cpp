// Makes the sample stage: make_sample_stage SAMPLES_FOLDER TEMPLATES_FOLDER
// (from the source tree: build/bin/make_sample_stage samples resources/tarnhollow).
#include <cstdio>
#include <string>

#include "stage/views/sample_stage.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: make_sample_stage SAMPLES_FOLDER TEMPLATES_FOLDER\n");
    return 2;
  }
  const std::string error = MakeSampleStage(argv[1], argv[2]);
  if (!error.empty()) {
    std::fprintf(stderr, "make_sample_stage: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
