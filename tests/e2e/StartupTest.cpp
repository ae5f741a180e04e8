// The built program started as a user would start it.
#include "tests/e2e/support/ProgramProcess.h"
#include "tests/e2e/support/ProgramSettings.h"
#include "tests/win/support/TestEnvironment.h"

#include <gtest/gtest.h>

using zvtest::ProgramProcess;

TEST(Startup, PlayerWindowAppearsAndClosingItEndsTheProgram) {
  zvtest::DeleteProgramRegistry();
  zvtest::PresetEnglish();
  ProgramProcess program(L"");
  ASSERT_TRUE(program.Started());
  HWND window = program.WaitForWindow(L"ZentravueClass", 30000);
  ASSERT_NE(window, nullptr) << "no player window";
  EXPECT_EQ(zvtest::WindowTitleOf(window).rfind(L"Zentravue", 0), 0u);
  RECT r{};
  GetWindowRect(window, &r);
  EXPECT_GT(r.right - r.left, 300);

  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(15000), 0) << "the program did not end cleanly after its window closed";
}
