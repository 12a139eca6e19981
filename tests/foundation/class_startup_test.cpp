#include "foundation/class_startup.h"

#include <gtest/gtest.h>

#include "foundation/shift_jis.h"
#include "tests/support/temp_folder.h"

namespace {

std::string FatalLog(ClassStartUp& counter) {
  TempFolder folder;
  CurrentDirectory in(folder.Path());
  EXPECT_EXIT(counter.ShutDown(), ::testing::ExitedWithCode(1), "");
  return TempFolder::Read(folder.File("ErrorLog.err"));
}

TEST(ClassStartUpTest, StateIsMadeAtTheFirstStartUpAndReleasedAtTheLastShutDown) {
  ClassStartUp counter("BMPFile2", ClassStartUp::Form::kCheckThenDecrement);
  EXPECT_TRUE(counter.StartUp());
  EXPECT_FALSE(counter.StartUp());
  EXPECT_FALSE(counter.ShutDown());
  EXPECT_TRUE(counter.Started());
  EXPECT_TRUE(counter.ShutDown());
  EXPECT_FALSE(counter.Started());
}

TEST(ClassStartUpTest, OneShutDownTooManyReportsTheMessageOfItsForm) {
  ClassStartUp form_a("StringBank1", ClassStartUp::Form::kDecrementThenCheck);
  EXPECT_EQ(FatalLog(form_a),
            Utf8ToShiftJis("エラー発生クラス：StringBank1\t\t\tメッセージ："
                           "クラスの初期化数とデストラクト数が合わない") + "\r\n");
  ClassStartUp form_b("TSYFile1", ClassStartUp::Form::kCheckThenDecrement);
  EXPECT_EQ(FatalLog(form_b),
            Utf8ToShiftJis("エラー発生クラス：TSYFile1\t\t\tメッセージ："
                           "初期化カウンターにマイナスを検出。初期化数とデストラクト数が違います") +
                "\r\n");
}

TEST(ClassStartUpTest, RequireReportsTheCallersMessageWhenNotStarted) {
  ClassStartUp counter("DrawButton1", ClassStartUp::Form::kDecrementThenCheck);
  TempFolder folder;
  CurrentDirectory in(folder.Path());
  EXPECT_EXIT(counter.Require("初期化されていないのにボタンを作ろうとした"),
              ::testing::ExitedWithCode(1), "");
  counter.StartUp();
  counter.Require("not reported");
  counter.ShutDown();
}

}  // namespace
