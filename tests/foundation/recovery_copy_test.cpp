#include "foundation/recovery_copy.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "foundation/settings_file.h"
#include "tests/support/temp_folder.h"

namespace {

// Sets an environment variable for one scope (nullptr: unset) and puts the old value back.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    value == nullptr ? ::unsetenv(name) : ::setenv(name, value, 1);
  }
  ~ScopedEnvironment() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

std::string Binary(size_t size) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 7 + (i >> 8));
  return bytes;
}

TEST(RecoveryCopyTest, FolderFollowsTheStateHome) {
  struct Case {
    const char* state_home;
    const char* home;
    std::string folder;
  };
  const std::vector<Case> cases = {
      {"/var/state", "/home/a", "/var/state/tarnhollow/"},
      {nullptr, "/home/a", "/home/a/.local/state/tarnhollow/"},
      {"", "/home/a", "/home/a/.local/state/tarnhollow/"},
      {"relative/state", "/home/a", "/home/a/.local/state/tarnhollow/"},
  };
  for (const Case& c : cases) {
    ScopedEnvironment state("XDG_STATE_HOME", c.state_home);
    ScopedEnvironment home("HOME", c.home);
    EXPECT_EQ(RecoveryFolder("tarnhollow"), c.folder) << (c.state_home ? c.state_home : "unset");
  }
}

TEST(RecoveryCopyTest, IntervalFromTheSettingsFile) {
  struct Case {
    const char* file;
    int minutes;
  };
  const std::vector<Case> cases = {
      {nullptr, 2},
      {"[Other]\r\nAutoSaveMinutes=9\r\n", 2},
      {"[Recovery]\r\nAutoSaveMinutes=0\r\n", 0},
      {"[recovery]\r\nautosaveminutes=5\r\n", 5},
      {"[Recovery]\r\nAutoSaveMinutes= 12abc\r\n", 12},
      {"[Recovery]\r\nAutoSaveMinutes=-3\r\n", 2},
      {"[Recovery]\r\nAutoSaveMinutes=soon\r\n", 2},
      {"[Recovery]\r\nAutoSaveMinutes=\r\n", 2},
      {"[Recovery]\r\nAutoSaveMinutes=99999\r\n", 1440},
  };
  for (const Case& c : cases) {
    TempFolder folder;
    const std::string path =
        c.file == nullptr ? folder.File("Settei.ini") : folder.Write("Settei.ini", c.file);
    EXPECT_EQ(RecoveryIntervalMinutes(path), c.minutes) << (c.file ? c.file : "no file");
  }
}

TEST(RecoveryCopyTest, ContainerGivesBackDocumentAndPath) {
  struct Case {
    std::string document;
    std::string path;
    std::string path_back;
  };
  const std::string long_path(5000, 'p');
  const std::vector<Case> cases = {
      {"", "", ""},
      {Binary(100000), "/home/a/コース/stage.ste", "/home/a/コース/stage.ste"},
      {std::string(3, '\0'), "", ""},
      // A path no file system holds is dropped; the work is kept.
      {"work", long_path, ""},
  };
  for (const Case& c : cases) {
    RecoveredDocument back;
    ASSERT_EQ(ParseRecoveryCopy(RecoveryCopyBytes(c.document, c.path), &back),
              RecoveryReadResult::kOk);
    EXPECT_EQ(back.bytes, c.document);
    EXPECT_EQ(back.original_path, c.path_back);
  }
}

// A copy cut short anywhere, with any byte changed, or with bytes after its end is refused
// whole, and the caller's document is not touched.
TEST(RecoveryCopyTest, DamagedContainersAreRefusedWhole) {
  const std::string good = RecoveryCopyBytes(Binary(300), "/home/a/course.cus");
  std::vector<std::string> damaged;
  for (size_t length = 0; length < good.size(); ++length) damaged.push_back(good.substr(0, length));
  for (size_t at = 0; at < good.size(); ++at) {
    std::string changed = good;
    changed[at] = static_cast<char>(changed[at] ^ 0x20);
    damaged.push_back(changed);
  }
  damaged.push_back(good + "x");
  for (size_t i = 0; i < damaged.size(); ++i) {
    RecoveredDocument back{"untouched", "untouched"};
    EXPECT_EQ(ParseRecoveryCopy(damaged[i], &back), RecoveryReadResult::kDamaged) << i;
    EXPECT_EQ(back.bytes, "untouched") << i;
    EXPECT_EQ(back.original_path, "untouched") << i;
  }
}

TEST(RecoveryCopyTest, WrittenRemovedAndNeverOfferedWhileItsEditorRuns) {
  TempFolder temp;
  const std::string folder = temp.File("state/merrowlindale/");
  {
    RecoveryCopy copy(folder);
    EXPECT_FALSE(copy.Exists());
    std::string error;
    ASSERT_TRUE(copy.Write("first", "/home/a/a.cus", &error)) << error;
    ASSERT_TRUE(copy.Write("second", "/home/a/a.cus", &error)) << error;
    EXPECT_EQ(std::filesystem::status(folder).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_all);
    RecoveredDocument back;
    ASSERT_EQ(RecoveryCopy::Read(copy.Path(), &back), RecoveryReadResult::kOk);
    EXPECT_EQ(back.bytes, "second");
    // Its editor holds it: another editor neither offers nor deletes it.
    EXPECT_TRUE(RecoveryCopy::FindLeftOver(folder).empty());
    EXPECT_FALSE(RecoveryCopy::Discard(copy.Path()));
    EXPECT_TRUE(copy.Exists());
    copy.Remove();
    EXPECT_FALSE(copy.Exists());
    ASSERT_TRUE(copy.Write("third", "", &error));
  }
  // The clean end of the editor took its copy away.
  EXPECT_TRUE(std::filesystem::is_empty(folder));
  EXPECT_EQ(RecoveryCopy::Read(temp.File("none.recovery"), nullptr),
            RecoveryReadResult::kCannotOpen);
}

// An editor killed with unsaved work leaves its copy; the next start finds it, reads it back
// and takes it over.
TEST(RecoveryCopyTest, CopyOfAKilledEditorIsFoundAndTakenOver) {
  TempFolder temp;
  const std::string folder = temp.File("state/tarnhollow/");
  const std::string document = Binary(200000);
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    RecoveryCopy copy(folder);
    const bool written = copy.Write(document, "/home/a/stage.ste");
    const char answer = written ? 'y' : 'n';
    if (::write(ready[1], &answer, 1) != 1) ::_exit(2);
    for (;;) ::pause();
  }
  char answer = 0;
  const bool told = ::read(ready[0], &answer, 1) == 1;
  EXPECT_TRUE(RecoveryCopy::FindLeftOver(folder).empty());  // still running
  ::kill(child, SIGKILL);
  int status = 0;
  ::waitpid(child, &status, 0);
  ::close(ready[0]);
  ::close(ready[1]);
  ASSERT_TRUE(told && answer == 'y');

  const std::vector<std::string> found = RecoveryCopy::FindLeftOver(folder);
  ASSERT_EQ(found.size(), 1u);
  RecoveredDocument back;
  ASSERT_EQ(RecoveryCopy::Read(found[0], &back), RecoveryReadResult::kOk);
  EXPECT_EQ(back.bytes, document);
  EXPECT_EQ(back.original_path, "/home/a/stage.ste");

  RecoveryCopy mine(folder);
  ASSERT_TRUE(mine.Adopt(found[0]));
  EXPECT_EQ(mine.Path(), found[0]);
  EXPECT_TRUE(RecoveryCopy::FindLeftOver(folder).empty());
  ASSERT_TRUE(mine.Write("newer work", "/home/a/stage.ste"));
  ASSERT_EQ(RecoveryCopy::Read(found[0], &back), RecoveryReadResult::kOk);
  EXPECT_EQ(back.bytes, "newer work");
  mine.Remove();
  EXPECT_TRUE(std::filesystem::is_empty(folder));
}

TEST(RecoveryCopyTest, NeverTakesOverOrDeletesTheAuthorsOwnFile) {
  TempFolder temp;
  const std::string stage = temp.Write("stage.ste", "the author's stage");
  RecoveryCopy copy(temp.File("state/"));
  EXPECT_FALSE(copy.Adopt(stage));
  EXPECT_FALSE(RecoveryCopy::Discard(stage));
  ASSERT_TRUE(copy.Write("copy", stage));
  EXPECT_NE(copy.Path(), stage);
  copy.Remove();
  EXPECT_EQ(TempFolder::Read(stage), "the author's stage");
}

// Left-over copies come newest first; a damaged one is offered too, reported when read, left
// as it is, and deleted only when the author declines it.
TEST(RecoveryCopyTest, LeftOverCopiesNewestFirstAndADamagedOneLeftAlone) {
  TempFolder temp;
  const std::string folder = temp.File("state/");
  std::filesystem::create_directories(folder);
  const std::string good = RecoveryCopyBytes("stage bytes", "");
  const std::string cut = good.substr(0, good.size() - 3);
  const std::string older = temp.Write("state/1-1-0.recovery", cut);
  const std::string newer = temp.Write("state/2-1-0.recovery", good);
  temp.Write("state/notes.txt", "not a copy");
  const auto now = std::filesystem::file_time_type::clock::now();
  std::filesystem::last_write_time(older, now - std::chrono::hours(2));
  std::filesystem::last_write_time(newer, now - std::chrono::hours(1));
  EXPECT_EQ(RecoveryCopy::FindLeftOver(folder), (std::vector<std::string>{newer, older}));
  EXPECT_TRUE(RecoveryCopy::FindLeftOver(temp.File("missing/")).empty());

  RecoveredDocument back;
  EXPECT_EQ(RecoveryCopy::Read(older, &back), RecoveryReadResult::kDamaged);
  EXPECT_EQ(TempFolder::Read(older), cut);
  EXPECT_NE(RecoveryDamagedMessage(older).find(older), std::string::npos);
  EXPECT_TRUE(RecoveryCopy::Discard(older));
  EXPECT_FALSE(std::filesystem::exists(older));
}

}  // namespace
