// An editor that crashes: the test program starts itself again as a child process running
// only the current test, with an environment variable naming a folder; the test sees the
// variable and plays the editor with unsaved work, which the parent kills with SIGKILL once
// its recovery copy is on disk.
#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "foundation/recovery_copy.h"

extern char** environ;

namespace recovery_test {

// The folder the parent handed over when this process plays the child, else nullptr.
inline const char* ChildFolder(const char* variable) { return std::getenv(variable); }

class CrashingChild {
 public:
  CrashingChild(const char* variable, const std::string& folder) {
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string filter =
        std::string("--gtest_filter=") + test->test_suite_name() + "." + test->name();
    std::vector<std::string> environment = {std::string(variable) + "=" + folder};
    for (char** entry = environ; *entry != nullptr; ++entry) environment.push_back(*entry);
    std::vector<char*> envp;
    for (std::string& entry : environment) envp.push_back(entry.data());
    envp.push_back(nullptr);
    std::string program = "/proc/self/exe";
    char* argv[] = {program.data(), filter.data(), nullptr};
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
    if (posix_spawn(&pid_, program.c_str(), &quiet, nullptr, argv, envp.data()) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&quiet);
  }
  ~CrashingChild() { Kill(); }

  bool Started() const { return pid_ > 0; }

  // Waits up to `seconds` for a whole recovery copy in `folder`: true when one came before
  // the child ended.
  bool WaitForCopy(const std::string& folder, int seconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (pid_ > 0 && std::chrono::steady_clock::now() < end) {
      std::error_code error;
      for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        RecoveredDocument document;
        if (entry.path().extension() == ".recovery" &&
            RecoveryCopy::Read(entry.path().string(), &document) == RecoveryReadResult::kOk) {
          return true;
        }
      }
      if (int status = 0; waitpid(pid_, &status, WNOHANG) == pid_) pid_ = -1;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
  }

  // SIGKILL, as a crash or a power cut ends it. True when it died of the signal.
  bool Kill() {
    if (pid_ <= 0) return false;
    ::kill(pid_, SIGKILL);
    int status = 0;
    const bool killed = waitpid(pid_, &status, 0) == pid_ && WIFSIGNALED(status);
    pid_ = -1;
    return killed && WTERMSIG(status) == SIGKILL;
  }

 private:
  pid_t pid_ = -1;
};

}  // namespace recovery_test
