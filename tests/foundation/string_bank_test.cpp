#include "foundation/string_bank.h"

#include <gtest/gtest.h>

#include <functional>

#include "foundation/shift_jis.h"
#include "tests/support/temp_folder.h"

namespace {

void ExpectFatalLine(const std::function<void()>& misuse, const std::string& message) {
  TempFolder folder;
  CurrentDirectory in(folder.Path());
  EXPECT_EXIT(misuse(), ::testing::ExitedWithCode(1), "");
  EXPECT_EQ(TempFolder::Read(folder.File("ErrorLog.err")),
            Utf8ToShiftJis("エラー発生クラス：StringBank1\t\t\tメッセージ：" + message) + "\r\n");
}

TEST(StringBankTest, StoresReplacesCopiesAndRemovesTexts) {
  StringBank1::StartUp();
  const int32_t a = StringBank1::AddString("road.bmp");
  const int32_t b = StringBank1::AddString("木");
  EXPECT_STREQ(StringBank1::StringText(a), "road.bmp");
  StringBank1::ReplaceString(a, "grass.bmp");
  char buffer[10];
  StringBank1::CopyString(a, buffer, 10);  // exactly length + 1
  EXPECT_STREQ(buffer, "grass.bmp");
  ExpectFatalLine([&] { StringBank1::CopyString(a, buffer, 9); }, "受け取りバッファが小さすぎ");
  StringBank1::RemoveString(a);
  EXPECT_EQ(StringBank1::AddString("x"), a);
  EXPECT_STREQ(StringBank1::StringText(b), "木");
  StringBank1::ShutDown();
}

TEST(StringBankTest, UseBeforeStartUpAndExtraShutDownAreFatal) {
  ExpectFatalLine([] { StringBank1::AddString("x"); }, "初期化されていないのに設定しようとした");
  ExpectFatalLine([] { StringBank1::ShutDown(); }, "クラスの初期化数とデストラクト数が合わない");
  // Nested start-ups keep the bank until the last shut-down.
  StringBank1::StartUp();
  StringBank1::StartUp();
  const int32_t id = StringBank1::AddString("kept");
  StringBank1::ShutDown();
  EXPECT_STREQ(StringBank1::StringText(id), "kept");
  StringBank1::ShutDown();
}

}  // namespace
