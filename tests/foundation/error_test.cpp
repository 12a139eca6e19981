#include "foundation/error.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "foundation/shift_jis.h"
#include "tests/support/temp_folder.h"

namespace {

std::string LogLine(const std::string& tag, const std::string& message) {
  return Utf8ToShiftJis("エラー発生クラス：" + tag + "\t\t\tメッセージ：" + message) + "\r\n";
}

class ErrorLogTest : public ::testing::Test {
 protected:
  void SetUp() override { Error1::ResetLogFlagForTesting(); }
  void TearDown() override { Error1::ResetLogFlagForTesting(); }
  TempFolder folder_;
};

TEST_F(ErrorLogTest, FirstReportOfARunTruncatesLaterOnesAppend) {
  CurrentDirectory in(folder_.Path());
  folder_.Write("ErrorLog.err", "old run\r\n");
  Error1::Report("StraightDataBase1", "範囲外のデータにアクセスしようとした", 0);
  Error1::Report("IDAccessDataBase1", "削除されたデータにアクセスしようとした", 2);
  const std::string expected =
      LogLine("StraightDataBase1", "範囲外のデータにアクセスしようとした") +
      LogLine("IDAccessDataBase1", "削除されたデータにアクセスしようとした");
  EXPECT_EQ(TempFolder::Read(folder_.File("ErrorLog.err")), expected);

  // A new run without a report leaves the file; its first report truncates it.
  Error1::ResetLogFlagForTesting();
  EXPECT_EQ(TempFolder::Read(folder_.File("ErrorLog.err")), expected);
  Error1::Report("Main", "x", 1);
  EXPECT_EQ(TempFolder::Read(folder_.File("ErrorLog.err")), LogLine("Main", "x"));
}

TEST_F(ErrorLogTest, TextsAreWrittenInShiftJis) {
  CurrentDirectory in(folder_.Path());
  Error1::Report("T", "メッセージ", 0);
  const std::string bytes = TempFolder::Read(folder_.File("ErrorLog.err"));
  // "エ" is 0x83 0x47 in Shift-JIS.
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0x83);
  EXPECT_EQ(static_cast<unsigned char>(bytes[1]), 0x47);
}

TEST_F(ErrorLogTest, UndefinedLevelAddsTheSelfReportAndReturns) {
  CurrentDirectory in(folder_.Path());
  Error1::Report("Caller", "line", 7);
  Error1::Report("Caller", "negative", static_cast<uint32_t>(-1));
  EXPECT_EQ(TempFolder::Read(folder_.File("ErrorLog.err")),
            LogLine("Caller", "line") +
                LogLine("Error1", "設定されていないレベルで設定しようとしました") +
                LogLine("Caller", "negative") +
                LogLine("Error1", "設定されていないレベルで設定しようとしました"));
}

TEST_F(ErrorLogTest, LevelThreeEndsTheProcessWithFailureAfterTheLineIsOnDisk) {
  CurrentDirectory in(folder_.Path());
  EXPECT_EXIT(Error1::Report("WinMain", "終了", 3), ::testing::ExitedWithCode(1), "");
  EXPECT_EQ(TempFolder::Read(folder_.File("ErrorLog.err")), LogLine("WinMain", "終了"));
}

TEST_F(ErrorLogTest, UnwritableLogStillAppliesTheLevel) {
  CurrentDirectory in(folder_.Path());
  // A folder named like the log cannot be opened as a file.
  ASSERT_EQ(::mkdir(folder_.File("ErrorLog.err").c_str(), 0755), 0);
  Error1::Report("T", "m", 0);
  EXPECT_TRUE(Error1::LogWritten());
  EXPECT_EXIT(Error1::Report("T", "m", 3), ::testing::ExitedWithCode(1), "");
}

}  // namespace
