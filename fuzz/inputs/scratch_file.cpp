#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <system_error>

#include "fuzz/inputs/fuzz_inputs.h"

namespace {

// One folder per process, in memory where the system offers it (the fuzzers write a file
// for every input), removed when the process ends.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::error_code error;
    std::filesystem::path base = "/dev/shm";
    if (!std::filesystem::is_directory(base, error) || ::access(base.c_str(), W_OK) != 0) {
      base = std::filesystem::temp_directory_path(error);
    }
    path_ = base / ("suite-fuzz-" + std::to_string(static_cast<long>(::getpid())));
    std::filesystem::create_directories(path_, error);
  }
  ~ScratchFolder() {
    std::error_code error;
    std::filesystem::remove_all(path_, error);
  }
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace

std::string ScratchFile(std::string_view bytes, const std::string& extension) {
  static const ScratchFolder folder;
  const std::filesystem::path path = folder.Path() / ("input" + extension);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return path.string();
}
