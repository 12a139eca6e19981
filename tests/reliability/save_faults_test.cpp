// Every save of the suite under injected faults: for each kind of system call (open, write,
// fsync, close, rename) and every k, the k-th such call of the save fails; then the save
// onto a full file system (file-size limit, and a full tmpfs where mounting is allowed). In
// every case the save must say it failed, the targets must hold exactly their old or (all of
// them) their new bytes, no temporary file may be left beside them, and the model must still
// count as changed.
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "converter/po3_file.h"
#include "course/cob_export.h"
#include "course/course_data.h"
#include "course/course_file.h"
#include "course/partition_file.h"
#include "foundation/file_io.h"
#include "foundation/settings_file.h"
#include "packer/picture_pack_list.h"
#include "pictures/picture_bank_high_color1.h"
#include "pictures/tsy_file_writer.h"
#include "stage/partition_loading.h"
#include "stage/stage.h"
#include "stage/stage_file.h"
#include "stage/tool_state_block.h"
#include "stage/view_records.h"
#include "tests/pictures/picture_test_support.h"
#include "tests/support/temp_folder.h"

namespace {

// What one save attempt reports.
struct SaveOutcome {
  bool ok = false;
  std::optional<std::string> error;  // the reason the save gave, where it gives one
  std::optional<bool> changed;       // the model's changed flag afterwards, where it has one
};

// A save into `folder` of a freshly built model.
using Save = std::function<SaveOutcome(const std::string& folder)>;

constexpr FileOperation kOperations[] = {FileOperation::kOpen, FileOperation::kWrite,
                                         FileOperation::kFsync, FileOperation::kClose,
                                         FileOperation::kRename};

const char* OperationName(FileOperation operation) {
  switch (operation) {
    case FileOperation::kOpen:
      return "open";
    case FileOperation::kWrite:
      return "write";
    case FileOperation::kFsync:
      return "fsync";
    case FileOperation::kClose:
      return "close";
    case FileOperation::kRename:
      return "rename";
  }
  return "?";
}

// The fault plan the hook follows: fail the k-th call of one operation.
struct FaultPlan {
  FileOperation operation = FileOperation::kOpen;
  int k = -1;  // -1: count only
  std::map<FileOperation, int> seen;
};
FaultPlan plan;

bool PlannedFault(FileOperation operation) {
  const int index = plan.seen[operation]++;
  return plan.k >= 0 && operation == plan.operation && index == plan.k;
}

// Installs the hook for one save and removes it again, also when a check fails.
class FaultHookScope {
 public:
  FaultHookScope(FileOperation operation, int k) {
    plan = FaultPlan{operation, k, {}};
    SetFileFaultHookForTesting(&PlannedFault);
  }
  ~FaultHookScope() { SetFileFaultHookForTesting(nullptr); }
};

std::optional<std::string> ReadIfExists(const std::string& path) {
  if (!std::filesystem::exists(path)) return std::nullopt;
  return TempFolder::Read(path);
}

std::set<std::string> Entries(const std::string& folder) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

// The old bytes of each target, written before a save; nullopt: no old file.
using OldFiles = std::map<std::string, std::optional<std::string>>;

void WriteOldFiles(const std::string& folder, const OldFiles& old_files) {
  for (const auto& [name, bytes] : old_files) {
    if (bytes) {
      std::FILE* file = std::fopen((folder + "/" + name).c_str(), "wb");
      ASSERT_NE(file, nullptr);
      std::fwrite(bytes->data(), 1, bytes->size(), file);
      std::fclose(file);
    }
  }
}

// Checks the state a failed save leaves in `folder`.
void ExpectOldOrNew(const std::string& folder, const OldFiles& old_files,
                    const std::map<std::string, std::string>& new_files,
                    const std::set<std::string>& other_entries, const SaveOutcome& outcome) {
  EXPECT_FALSE(outcome.ok) << "a failed save reported success";
  if (outcome.error) {
    EXPECT_FALSE(outcome.error->empty()) << "a failed save gave no reason";
  }
  if (outcome.changed) {
    EXPECT_TRUE(*outcome.changed) << "the changed flag was cleared";
  }
  // The files of one save stay a set: all old, or (had the failure come after the last
  // rename) all new.
  bool all_old = true;
  bool all_new = true;
  for (const auto& [name, old_bytes] : old_files) {
    const std::optional<std::string> now = ReadIfExists(folder + "/" + name);
    const bool is_old = now == old_bytes;
    const auto new_bytes = new_files.find(name);
    const bool is_new = now && new_bytes != new_files.end() && *now == new_bytes->second;
    EXPECT_TRUE(is_old || is_new) << name << " is neither the old nor the new file";
    all_old = all_old && is_old;
    all_new = all_new && is_new;
  }
  EXPECT_TRUE(all_old || all_new) << "the save left old and new files mixed";
  for (const std::string& entry : Entries(folder)) {
    EXPECT_TRUE(old_files.count(entry) != 0 || other_entries.count(entry) != 0)
        << "left behind: " << entry;
  }
}

// Runs the save once cleanly (the new bytes and how many calls of each kind it makes), then
// once per operation kind and k with that call failing, with and without old files.
void ExpectSaveSurvivesEveryFault(const std::vector<std::string>& targets, const Save& save) {
  std::map<std::string, std::string> new_files;
  std::map<FileOperation, int> calls;
  {
    TempFolder clean;
    FaultHookScope counting(FileOperation::kOpen, -1);
    const SaveOutcome outcome = save(clean.Path());
    ASSERT_TRUE(outcome.ok) << outcome.error.value_or("");
    calls = plan.seen;
    for (const std::string& name : targets) new_files[name] = TempFolder::Read(clean.File(name));
  }
  for (const FileOperation operation : kOperations) {
    EXPECT_GT(calls[operation], 0) << "the save makes no " << OperationName(operation) << " call";
  }

  int cases = 0;
  for (const bool with_old : {true, false}) {
    OldFiles old_files;
    for (const std::string& name : targets) {
      old_files[name] = with_old ? std::optional<std::string>("old contents of " + name)
                                 : std::nullopt;
    }
    for (const FileOperation operation : kOperations) {
      for (int k = 0; k < calls[operation]; ++k) {
        SCOPED_TRACE(std::string(OperationName(operation)) + " call " + std::to_string(k) +
                     (with_old ? ", over old files" : ", no old files"));
        TempFolder folder;
        WriteOldFiles(folder.Path(), old_files);
        SaveOutcome outcome;
        {
          FaultHookScope fault(operation, k);
          outcome = save(folder.Path());
        }
        ExpectOldOrNew(folder.Path(), old_files, new_files, {}, outcome);
        ++cases;
      }
    }
  }
  EXPECT_GT(cases, 0);
}

// Runs the save with the process's file-size limit just above the largest old file, so
// writing the new bytes fails as on a full disk (EFBIG instead of ENOSPC).
void ExpectSaveSurvivesSizeLimit(const std::vector<std::string>& targets, const Save& save) {
  TempFolder folder;
  OldFiles old_files;
  for (const std::string& name : targets) old_files[name] = "old " + name;
  WriteOldFiles(folder.Path(), old_files);

  rlimit saved;
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  rlimit limited = saved;
  limited.rlim_cur = 16;
  void (*previous)(int) = ::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
  const SaveOutcome outcome = save(folder.Path());
  ::setrlimit(RLIMIT_FSIZE, &saved);
  ::signal(SIGXFSZ, previous);

  ExpectOldOrNew(folder.Path(), old_files, {}, {}, outcome);
  for (const auto& [name, bytes] : old_files) {
    EXPECT_EQ(ReadIfExists(folder.File(name)), bytes) << name;
  }
}

// A tmpfs of a few pages, filled to the last byte before the save. Needs the right to
// mount (root); skipped otherwise.
class FullFileSystem {
 public:
  FullFileSystem() : mount_point_(holder_.File("full")) {
    std::filesystem::create_directory(mount_point_);
    mounted_ = ::mount("tmpfs", mount_point_.c_str(), "tmpfs", 0, "size=16k") == 0;
  }
  ~FullFileSystem() {
    if (mounted_ && ::umount(mount_point_.c_str()) != 0) ::umount2(mount_point_.c_str(), MNT_DETACH);
  }
  bool Mounted() const { return mounted_; }
  const std::string& Path() const { return mount_point_; }
  // Fills the free space with one file; true when the file system then refused a byte.
  bool Fill() {
    std::FILE* file = std::fopen((mount_point_ + "/filler").c_str(), "wb");
    if (file == nullptr) return false;
    std::setvbuf(file, nullptr, _IONBF, 0);
    const std::string block(512, 'x');
    bool full = false;
    for (int i = 0; i < 4096 && !full; ++i) {
      full = std::fwrite(block.data(), 1, block.size(), file) != block.size();
    }
    for (int i = 0; i < 4096 && !full; ++i) full = std::fputc('x', file) == EOF;
    std::fclose(file);
    return full;
  }

 private:
  TempFolder holder_;
  std::string mount_point_;
  bool mounted_ = false;
};

void ExpectSaveSurvivesFullFileSystem(const std::vector<std::string>& targets, const Save& save) {
  FullFileSystem full;
  if (!full.Mounted()) GTEST_SKIP() << "cannot mount a tmpfs here (needs root)";
  OldFiles old_files;
  for (const std::string& name : targets) old_files[name] = "old " + name;
  WriteOldFiles(full.Path(), old_files);
  ASSERT_TRUE(full.Fill());
  const SaveOutcome outcome = save(full.Path());
  EXPECT_FALSE(outcome.ok);
  ExpectOldOrNew(full.Path(), old_files, {}, {"filler"}, outcome);
  for (const auto& [name, bytes] : old_files) {
    EXPECT_EQ(ReadIfExists(full.Path() + "/" + name), bytes) << name;
  }
}

// A course that has been edited (so it counts as changed) with a few samples per segment.
void BuildChangedCourse(CourseData1& course) {
  course.Initialise();
  course.AddPoint(0, 0, 0);
  course.AddPoint(100, 10, 0);
  course.AddPoint(150, 0, 80);
  course.ChangeSampleCount(-7);
  course.SetPointRoll(1, 0.2);
}

SaveOutcome SaveCourse(const std::string& folder) {
  CourseData1 course;
  BuildChangedCourse(course);
  SaveOutcome outcome;
  std::string error;
  outcome.ok = SaveCourseFile(course, folder + "/circuit.cus", &error) == kCourseFileOk;
  outcome.error = error;
  outcome.changed = course.IsChanged();
  return outcome;
}

SaveOutcome SavePartition(const std::string& folder) {
  CourseData1 course;
  BuildChangedCourse(course);
  SaveOutcome outcome;
  std::string error;
  outcome.ok = WritePartitionFile(course, folder + "/circuit.pat", &error) == kPartitionWritten;
  outcome.error = error;
  outcome.changed = course.IsChanged();
  return outcome;
}

SaveOutcome SaveCob(const std::string& folder) {
  CourseData1 course;
  BuildChangedCourse(course);
  SaveOutcome outcome;
  std::string error;
  outcome.ok = WriteCobFile(course, folder + "/circuit.cob", &error) == kCobWritten;
  outcome.error = error;
  outcome.changed = course.IsChanged();
  return outcome;
}

SaveOutcome SaveSettings(const std::string& folder) {
  SaveOutcome outcome;
  outcome.ok = SettingsFile::WriteString(folder + "/Settei.ini", "LoadFileDir", "Dir",
                                         "/home/author/courses");
  return outcome;
}

class TsySave : public ::testing::Test {
 protected:
  void SetUp() override {
    PictureBankHighColor1::StartUp(16);
    BmpLayout layout;
    layout.width = 4;
    layout.height = 2;
    layout.pixels = {0xFF0000, 0x00FF00, 0x0000FF, 0x123456, 0, 0xFFFFFF, 0x808080, 0x010203};
    picture_ = PictureBankHighColor1::Register(inputs_.Write("frame.bmp", BuildBmp(layout)), 0);
    ASSERT_GE(picture_, 0);
  }
  void TearDown() override {
    if (picture_ >= 0) PictureBankHighColor1::Release(picture_);
    PictureBankHighColor1::ShutDown();
  }
  // The picture packer's list of two frames, saved as its document.
  Save SaveTsy() const {
    const std::string frame = inputs_.File("frame.bmp");
    return [frame](const std::string& folder) {
      PicturePackList list;
      list.AddFile(frame);
      list.AddFile(frame);
      list.SetEntry(1, 0x1F, 250);
      SaveOutcome outcome;
      std::string error;
      outcome.ok = list.Write(folder + "/anim.tsy", &error);
      outcome.error = error;
      outcome.changed = list.Changed();
      return outcome;
    };
  }

  TempFolder inputs_;
  int32_t picture_ = -1;
};

// A two-triangle object with one textured attribute, whose image is copied beside it.
class Po3Save : public ::testing::Test {
 protected:
  void SetUp() override {
    texture_ = inputs_.Write("road.bmp", std::string("BM") + std::string(200, '\x5a'));
  }
  Save SavePo3() const {
    Po3Object object;
    object.points = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}};
    object.texture_vertices = {{0, 0}, {1, 0}, {0, 1}, {1, 1}};
    object.faces = {{{0, 1, 2}, {0, 1, 2}, 0}, {{1, 3, 2}, {1, 3, 2}, 1}};
    Po3Attribute plain;
    plain.red = 0.5f;
    Po3Attribute textured;
    textured.textured = 1;
    textured.texture_name = "road.bmp";
    textured.repeat_u = 2;
    textured.repeat_v = 1;
    textured.texture_source = texture_;
    object.attributes = {plain, textured};
    return [object](const std::string& folder) {
      SaveOutcome outcome;
      std::string error;
      outcome.ok = Po3File::Write(folder + "/", folder + "/object.po3", "PolFile.txt", object,
                                  &error);
      outcome.error = error;
      return outcome;
    };
  }

  TempFolder inputs_;
  std::string texture_;
};

TEST_F(Po3Save, ObjectListingAndTextureKeepOldOrNew) {
  ExpectSaveSurvivesEveryFault({"object.po3", "PolFile.txt", "road.bmp"}, SavePo3());
  ExpectSaveSurvivesSizeLimit({"object.po3", "PolFile.txt", "road.bmp"}, SavePo3());
}

TEST_F(Po3Save, ObjectOnFullFileSystem) {
  ExpectSaveSurvivesFullFileSystem({"object.po3", "PolFile.txt", "road.bmp"}, SavePo3());
}

// A stage on the partition file of a small course, edited (a wire and a textured face), so
// that it counts as modified and carries a picture in its bank image.
class StageSave : public ::testing::Test {
 protected:
  void SetUp() override {
    PictureBankHighColor1::StartUp(16);
    CourseData1 course;
    BuildChangedCourse(course);
    ASSERT_EQ(WritePartitionFile(course, inputs_.File("course.pat")), kPartitionWritten);
    BmpLayout layout;
    layout.width = 4;
    layout.height = 4;
    layout.pixels = std::vector<uint32_t>(16, 0x336699);
    inputs_.Write("road.bmp", BuildBmp(layout));
  }
  void TearDown() override { PictureBankHighColor1::ShutDown(); }
  Save SaveStage() const {
    const std::string pat = inputs_.File("course.pat");
    const std::string texture = inputs_.File("road.bmp");
    return [pat, texture](const std::string& folder) {
      Stage stage;
      LoadPartitionFile(stage, pat);
      stage.SelectPartition(0);
      stage.AddWire(0, kLeftSide, {-30.0f, 0.0f, 0.0f});
      stage.SetFacePictureFromFile({0, kRoadFaceSide, -1}, texture);
      SaveOutcome outcome;
      std::string error;
      outcome.ok = StageFile::Save(folder + "/course.ste", stage, ToolStateBlock::Initial(),
                                   ViewSection(), &error);
      outcome.error = error;
      outcome.changed = stage.Modified();
      stage.Reset();
      return outcome;
    };
  }

  TempFolder inputs_;
};

TEST_F(StageSave, StageFileKeepsOldOrNewAndStaysModified) {
  ExpectSaveSurvivesEveryFault({"course.ste"}, SaveStage());
  ExpectSaveSurvivesSizeLimit({"course.ste"}, SaveStage());
}

TEST_F(StageSave, StageFileOnFullFileSystem) {
  ExpectSaveSurvivesFullFileSystem({"course.ste"}, SaveStage());
}

TEST(SaveFaults, CourseFileKeepsOldOrNewAndStaysChanged) {
  ExpectSaveSurvivesEveryFault({"circuit.cus"}, SaveCourse);
  ExpectSaveSurvivesSizeLimit({"circuit.cus"}, SaveCourse);
}

TEST(SaveFaults, CourseFileOnFullFileSystem) {
  ExpectSaveSurvivesFullFileSystem({"circuit.cus"}, SaveCourse);
}

TEST(SaveFaults, PartitionFileAndListingKeepOldOrNew) {
  ExpectSaveSurvivesEveryFault({"circuit.pat", "circuit.txt"}, SavePartition);
  ExpectSaveSurvivesSizeLimit({"circuit.pat", "circuit.txt"}, SavePartition);
}

TEST(SaveFaults, PartitionFileOnFullFileSystem) {
  ExpectSaveSurvivesFullFileSystem({"circuit.pat", "circuit.txt"}, SavePartition);
}

TEST(SaveFaults, CobExportKeepsOldOrNew) {
  ExpectSaveSurvivesEveryFault({"circuit.cob"}, SaveCob);
  ExpectSaveSurvivesSizeLimit({"circuit.cob"}, SaveCob);
}

TEST(SaveFaults, CobExportOnFullFileSystem) {
  ExpectSaveSurvivesFullFileSystem({"circuit.cob"}, SaveCob);
}

TEST_F(TsySave, MultiPictureFileKeepsOldOrNew) {
  ExpectSaveSurvivesEveryFault({"anim.tsy"}, SaveTsy());
  ExpectSaveSurvivesSizeLimit({"anim.tsy"}, SaveTsy());
}

TEST_F(TsySave, MultiPictureFileOnFullFileSystem) {
  ExpectSaveSurvivesFullFileSystem({"anim.tsy"}, SaveTsy());
}

TEST(SaveFaults, SettingsFileKeepsOldOrNew) {
  ExpectSaveSurvivesEveryFault({"Settei.ini"}, SaveSettings);
  ExpectSaveSurvivesSizeLimit({"Settei.ini"}, SaveSettings);
}

}  // namespace
