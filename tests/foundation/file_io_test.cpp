#include "foundation/file_io.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "tests/support/temp_folder.h"

namespace {

int fail_at = -1;
int calls = 0;
bool FailNth(FileOperation) { return calls++ == fail_at; }

// Every file in the folder except the named ones.
std::vector<std::string> Leftovers(const TempFolder& folder, const std::string& keep) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
    const std::string name = entry.path().filename().string();
    if (name != keep) names.push_back(name);
  }
  return names;
}

TEST(FileIoTest, AtomicWriteReplacesTheWholeFile) {
  TempFolder folder;
  const std::string path = folder.Write("course.cus", "old contents that are longer");
  std::string error;
  ASSERT_TRUE(AtomicWriteFile(path, "new", &error)) << error;
  std::string bytes;
  ASSERT_TRUE(ReadWholeFile(path, bytes));
  EXPECT_EQ(bytes, "new");
  EXPECT_TRUE(Leftovers(folder, "course.cus").empty());
}

TEST(FileIoTest, EveryFailingStepLeavesTheOldFileAndNoTemporary) {
  TempFolder folder;
  const std::string path = folder.Write("stage.ste", "old");
  // Count the steps of a good save, then fail each one in turn.
  calls = 0;
  fail_at = -1;
  SetFileFaultHookForTesting(FailNth);
  ASSERT_TRUE(AtomicWriteFile(path, "old"));
  const int steps = calls;
  ASSERT_GE(steps, 5);
  for (int k = 0; k < steps; ++k) {
    calls = 0;
    fail_at = k;
    std::string error;
    EXPECT_FALSE(AtomicWriteFile(path, std::string(100000, 'n'), &error)) << "step " << k;
    EXPECT_FALSE(error.empty());
    std::string bytes;
    ReadWholeFile(path, bytes);
    EXPECT_EQ(bytes, "old") << "step " << k;
    EXPECT_TRUE(Leftovers(folder, "stage.ste").empty()) << "step " << k;
  }
  SetFileFaultHookForTesting(nullptr);
}

TEST(FileIoTest, SeveralFilesAreReplacedOnlyWhenAllWereWritten) {
  TempFolder folder;
  const std::string po3 = folder.Write("car.po3", "old po3");
  const std::string listing = folder.Write("PolFile.txt", "old listing");
  calls = 0;
  fail_at = 6;  // a step of the second file
  SetFileFaultHookForTesting(FailNth);
  const FileToWrite files[] = {{po3, "new po3"}, {listing, "new listing"}};
  EXPECT_FALSE(AtomicWriteFiles(files, 2));
  SetFileFaultHookForTesting(nullptr);
  EXPECT_EQ(TempFolder::Read(po3), "old po3");
  EXPECT_EQ(TempFolder::Read(listing), "old listing");
  EXPECT_EQ(Leftovers(folder, "").size(), 2u);
  ASSERT_TRUE(AtomicWriteFiles(files, 2));
  EXPECT_EQ(TempFolder::Read(listing), "new listing");
}

TEST(FileIoTest, AFailedRenameHalfWayPutsTheEarlierFilesBack) {
  TempFolder folder;
  const std::string pat = folder.Write("course.pat", "old partitions");
  const std::string listing = folder.File("PartitionList.txt");  // not there before
  const std::string cob = folder.Write("course.cob", "old scene");
  const FileToWrite files[] = {
      {pat, "new partitions"}, {listing, "new listing"}, {cob, "new scene"}};
  calls = 0;
  fail_at = -1;
  SetFileFaultHookForTesting(FailNth);
  ASSERT_TRUE(AtomicWriteFiles(files, 3));
  const int steps = calls;
  // The renames are the last steps; fail the second and the third.
  for (int k : {steps - 2, steps - 1}) {
    folder.Write("course.pat", "old partitions");
    std::filesystem::remove(listing);
    folder.Write("course.cob", "old scene");
    calls = 0;
    fail_at = k;
    std::string error;
    EXPECT_FALSE(AtomicWriteFiles(files, 3, &error)) << "step " << k;
    EXPECT_NE(error.find("cannot replace"), std::string::npos);
    EXPECT_EQ(TempFolder::Read(pat), "old partitions") << "step " << k;
    EXPECT_FALSE(FileExists(listing)) << "step " << k;
    EXPECT_EQ(TempFolder::Read(cob), "old scene") << "step " << k;
    EXPECT_EQ(Leftovers(folder, "").size(), 2u) << "step " << k;
  }
  SetFileFaultHookForTesting(nullptr);
}

TEST(FileIoTest, ASaveFollowsASymbolicLinkAndKeepsPermissions) {
  TempFolder folder;
  const std::string real = folder.Write("real.cus", "old");
  ASSERT_EQ(::chmod(real.c_str(), 0600), 0);
  const std::string link = folder.File("link.cus");
  ASSERT_EQ(::symlink("real.cus", link.c_str()), 0);
  ASSERT_TRUE(AtomicWriteFile(link, "new"));
  struct stat info;
  ASSERT_EQ(::lstat(link.c_str(), &info), 0);
  EXPECT_TRUE(S_ISLNK(info.st_mode));
  EXPECT_EQ(TempFolder::Read(real), "new");
  ASSERT_EQ(::stat(real.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0600u);
  EXPECT_EQ(Leftovers(folder, "").size(), 2u);
}

TEST(FileIoTest, AFileTooLargeForTheSuiteIsRefusedBeforeReading) {
  TempFolder folder;
  const std::string path = folder.Write("huge.img", "");
  // A sparse file: its size costs no disk space.
  ASSERT_EQ(::truncate(path.c_str(), static_cast<off_t>(kMaxReadableFileSize + 1)), 0);
  std::string bytes = "kept?";
  std::string error;
  EXPECT_FALSE(ReadWholeFile(path, bytes, &error));
  EXPECT_TRUE(bytes.empty());
  EXPECT_NE(error.find("too large"), std::string::npos);
}

TEST(FileIoTest, SaveIntoAMissingFolderOrAFullDeviceFails) {
  TempFolder folder;
  std::string error;
  EXPECT_FALSE(AtomicWriteFile(folder.File("no/such/file"), "x", &error));
  EXPECT_NE(error.find("cannot create"), std::string::npos);
  std::string bytes;
  EXPECT_FALSE(ReadWholeFile(folder.File("missing"), bytes, &error));
  EXPECT_FALSE(FileExists(folder.File("missing")));
  EXPECT_FALSE(FileExists(folder.Path()));
}

// Messages about a refused file end with the system's own words.
TEST(FileIoTest, TheSystemsReasonForAFailure) {
  TempFolder folder;
  const std::string readable = folder.Write("readable", "x");
  EXPECT_EQ(OpenFailureReason(readable), "");
  EXPECT_EQ(OpenFailureReason(folder.File("missing")), "No such file or directory");
  std::string error;
  ASSERT_FALSE(AtomicWriteFile(folder.File("no/such/file"), "x", &error));
  EXPECT_EQ(SystemReasonOf(error), "No such file or directory");
  EXPECT_EQ(SystemReasonOf("no reason given"), "no reason given");
}

}  // namespace
