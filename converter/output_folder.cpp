#include "converter/output_folder.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "converter/cob_conversion.h"
#include "foundation/directory.h"

namespace {

namespace fs = std::filesystem;

std::string Reason(int error_number) { return std::strerror(error_number); }

// 0 when a new file can be made in `folder`, else the system's error number. The access()
// call would say yes to the superuser even where the file system refuses.
int ProbeWritable(const std::string& folder) {
  const std::string probe = Directory1::Join(folder, ".polyconv-probe-" + std::to_string(getpid()));
  const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) return errno == EEXIST ? 0 : errno;
  ::close(fd);
  ::unlink(probe.c_str());
  return 0;
}

}  // namespace

bool OutputFolder::Prepare(const std::string& output_path, std::string* error) {
  created_.clear();
  std::string folder = Directory1::Folder(output_path);
  if (folder.empty()) folder = output_path.rfind('/', 0) == 0 ? "/" : ".";

  // The missing folders, outermost first.
  std::vector<fs::path> missing;
  std::error_code ec;
  for (fs::path p = fs::path(folder).lexically_normal(); !p.empty() && !fs::exists(p, ec);
       p = p.parent_path()) {
    missing.insert(missing.begin(), p);
    if (p == p.parent_path()) break;
  }
  for (const fs::path& p : missing) {
    if (!fs::create_directory(p, ec) || ec) {
      RemoveCreated();
      *error = std::string(kCannotCreateDirectory) + ": " + p.string() + ": " +
               Reason(ec ? ec.value() : EEXIST);
      return false;
    }
    created_.push_back(p.string());
  }
  if (!fs::is_directory(folder, ec)) {
    *error = std::string(kCannotCreateDirectory) + ": " + folder + ": " + Reason(ENOTDIR);
    return false;
  }
  if (const int refused = ProbeWritable(folder); refused != 0) {
    RemoveCreated();
    *error = "PO3ファイルを書き込めません: " + output_path + ": " + Reason(refused);
    return false;
  }
  directory_ = folder.back() == '/' ? folder : folder + "/";
  return true;
}

void OutputFolder::RemoveCreated() {
  for (auto it = created_.rbegin(); it != created_.rend(); ++it) {
    std::error_code ec;
    if (!fs::remove(*it, ec)) break;  // not empty: the outer ones are not empty either
  }
  created_.clear();
}
