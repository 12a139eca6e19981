// An editor that crashes: the running test program starts itself again as a child process
// that runs only the current test with an environment variable naming a folder; the test
// sees the variable and plays the editor with unsaved work, which the parent kills with
// SIGKILL once its recovery copy is on disk.
#pragma once

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "foundation/recovery_copy.h"

extern char** environ;

namespace recovery_test {

// The folder the parent handed to this process when it plays the child, else nullptr.
inline const char* ChildFolder(const char* variable) { return std::getenv(variable); }

class CrashingChild {
 public:
  // Starts the current test again with `variable`=`folder`; its output is dropped.
  CrashingChild(const char* variable, const std::string& folder) {
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string filter =
        std::string("--gtest_filter=") + test->test_suite_name() + "." + test->name();
    const std::string setting = std::string(variable) + "=" + folder;
    std::vector<std::string> environment = {setting, "QT_QPA_PLATFORM=offscreen"};
    for (char** entry = environ; *entry != nullptr; ++entry) {
      const std::string text = *entry;
      if (text.rfind(std::string(variable) + "=", 0) != 0 &&
          text.rfind("QT_QPA_PLATFORM=", 0) != 0) {
        environment.push_back(text);
      }
    }
    std::vector<char*> envp;
    for (std::string& entry : environment) envp.push_back(entry.data());
    envp.push_back(nullptr);
    std::string program = "/proc/self/exe";
    std::string argument = filter;
    char* argv[] = {program.data(), argument.data(), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    if (posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv, envp.data()) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
  }
  ~CrashingChild() { Kill(); }
  CrashingChild(const CrashingChild&) = delete;
  CrashingChild& operator=(const CrashingChild&) = delete;

  bool Started() const { return pid_ > 0; }

  // Waits up to `seconds` for a whole recovery copy in `folder`; its path, or "" when none
  // came (or the child ended first).
  std::string WaitForCopy(const std::string& folder, int seconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (std::chrono::steady_clock::now() < end) {
      std::error_code error;
      for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        RecoveredDocument document;
        const std::string path = entry.path().string();
        if (path.size() > 9 && path.compare(path.size() - 9, 9, ".recovery") == 0 &&
            RecoveryCopy::Read(path, &document) == RecoveryReadResult::kOk) {
          return path;
        }
      }
      int status = 0;
      if (pid_ <= 0 || waitpid(pid_, &status, WNOHANG) == pid_) {
        pid_ = -1;
        return "";
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return "";
  }

  // SIGKILL, as a crash or a power cut ends it: nothing of it runs any more. True when it
  // died of the signal.
  bool Kill() {
    if (pid_ <= 0) return false;
    ::kill(pid_, SIGKILL);
    int status = 0;
    const bool killed =
        waitpid(pid_, &status, 0) == pid_ && WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
    pid_ = -1;
    return killed;
  }

 private:
  pid_t pid_ = -1;
};

}  // namespace recovery_test
