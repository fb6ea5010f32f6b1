// korvex7ctl.exe at its edge: where its text goes, and what stops it.
#include <windows.h>

#include <gtest/gtest.h>

#include <iostream>

#include "tools/ctl/console_text.h"
#include "tools/ctl/stop_request.h"

namespace korvex7::ctl {
namespace {

TEST(CtlConsole, APipeIsNoConsole) {
  HANDLE read = nullptr;
  HANDLE write = nullptr;
  ASSERT_TRUE(CreatePipe(&read, &write, nullptr, 0));
  EXPECT_FALSE(IsConsoleHandle(read));
  EXPECT_FALSE(IsConsoleHandle(write));
  CloseHandle(read);
  CloseHandle(write);
  EXPECT_FALSE(IsConsoleHandle(INVALID_HANDLE_VALUE));
  EXPECT_FALSE(IsConsoleHandle(nullptr));
}

TEST(CtlConsole, OutputThatIsNoConsoleKeepsItsBytes) {
  // The tests run with their output in a file or a pipe: the streams are
  // left as they are, writing UTF-8 bytes.
  ASSERT_FALSE(IsConsoleHandle(GetStdHandle(STD_OUTPUT_HANDLE)));
  std::streambuf* const before = std::cout.rdbuf();
  {
    const ConsoleText text;
    EXPECT_EQ(std::cout.rdbuf(), before);
  }
  EXPECT_EQ(std::cout.rdbuf(), before);
}

TEST(CtlConsole, CtrlCCtrlBreakAndClosingStopTheRun) {
  for (const DWORD event : {CTRL_C_EVENT, CTRL_BREAK_EVENT, CTRL_CLOSE_EVENT}) {
    EXPECT_TRUE(AskStop(static_cast<int>(event))) << event;
  }
  EXPECT_FALSE(AskStop(1000));
  EXPECT_TRUE(StopFlag().load());
}

}  // namespace
}  // namespace korvex7::ctl
