// Runs a statement that must end the program through a level-3 report, and checks the line
// it left in ErrorLog.err (class tag and message, as the log writes them in Shift-JIS).
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "foundation/error.h"
#include "foundation/shift_jis.h"
#include "tests/support/temp_folder.h"

#define EXPECT_FATAL_REPORT(statement, class_tag, message)                                \
  do {                                                                                    \
    TempFolder fatal_folder;                                                              \
    {                                                                                     \
      CurrentDirectory fatal_directory(fatal_folder.Path());                              \
      Error1::ResetLogFlagForTesting();                                                   \
      EXPECT_EXIT(statement, ::testing::ExitedWithCode(1), "");                           \
    }                                                                                     \
    const std::string fatal_log = TempFolder::Read(fatal_folder.File("ErrorLog.err"));    \
    const std::string fatal_expected =                                                    \
        Utf8ToShiftJis(std::string(class_tag) + "\t\t\tメッセージ：" + (message));        \
    EXPECT_NE(fatal_log.find(fatal_expected), std::string::npos) << "log: " << fatal_log; \
  } while (0)
