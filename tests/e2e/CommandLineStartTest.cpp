// Start-up paths chosen by the command line: the help box, the maintenance
// switches and the trace window with its log file.
#include "app/ProductName.h"
#include "framework/WideString.h"
#include "tests/testprogram/PlayerTestHook.h"
#include "tests/e2e/E2eHelpers.h"
#include "tests/e2e/support/ProgramProcess.h"
#include "tests/e2e/support/ProgramSettings.h"
#include "tests/win/support/TestEnvironment.h"

#include <gtest/gtest.h>

using zvtest::ProgramProcess;

namespace {

class CommandLineStart : public testing::Test {
 protected:
  void SetUp() override {
    zvtest::DeleteProgramRegistry();
    zvtest::PresetEnglish();
  }
  void TearDown() override { zvtest::DeleteProgramRegistry(); }
};

BOOL CALLBACK LongestStatic(HWND child, LPARAM lParam) {
  wchar_t cls[64] = {};
  GetClassNameW(child, cls, 64);
  if (_wcsicmp(cls, L"Static") != 0) return TRUE;
  auto* text = reinterpret_cast<std::wstring*>(lParam);
  const int n = GetWindowTextLengthW(child);
  std::wstring t(static_cast<size_t>(n) + 1, L'\0');
  t.resize(static_cast<size_t>(GetWindowTextW(child, t.data(), n + 1)));
  if (t.size() > text->size()) *text = t;
  return TRUE;
}

}  // namespace

TEST_F(CommandLineStart, HelpWithAFileShowsOnlyTheHelpBox) {
  ProgramProcess program(L"/help C:\\media\\a.avi");
  HWND box = nullptr;
  ASSERT_TRUE(zvtest::WaitFor(
      [&] {
        box = zvtest::FindProcessWindow(program.Id(), L"#32770", L"Zentravue command line parameters");
        return box != nullptr;
      },
      30000));
  std::wstring text;
  EnumChildWindows(box, LongestStatic, reinterpret_cast<LPARAM>(&text));
  const std::wstring start = zv::AppName() +
                             L".exe [<mediafile>] [<options>]\n\nOptions:\n/help,/?\t\tthis help screen\n";
  EXPECT_EQ(text.substr(0, start.size()), start);
  EXPECT_NE(text.find(L"\n/hide\t\tHide Zentravue in taskbar"), std::wstring::npos);
  EXPECT_EQ(text.find(L"debug"), std::wstring::npos);
  EXPECT_EQ(zvtest::FindProcessWindow(program.Id(), L"ZentravueClass", zv::AppName()), nullptr);

  PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(program.WaitForExit(15000), 0);
}

TEST_F(CommandLineStart, MaintenanceSwitchesThatEndTheProgramShowNoPlayer) {
  // The uninstall run's message is the subject of the system tests; quietly
  // it shows none. Step 1 outside a downloaded copy does nothing.
  for (const wchar_t* arguments : {L"/uninstall /quiet", L"/update_step_1", L"/adminCreateFileAssoc",
                                   L"/admindeletefileassoc"}) {
    zvtest::PresetEnglish();  // the uninstall run took the language with the settings
    ProgramProcess program(arguments);
    EXPECT_EQ(program.WaitForExit(30000), 0) << "did not end by itself: " << fw::WideToUtf8(arguments);
  }
}

TEST_F(CommandLineStart, UpdateStepTwoGoesOnToThePlayer) {
  ProgramProcess program(L"/update_step_2");
  // Step 2 reports before the player comes up.
  HWND report = nullptr;
  ASSERT_TRUE(zvtest::WaitFor(
      [&] {
        report = zvtest::FindProcessWindow(program.Id(), L"#32770", L"Zentra-Vue Update");
        return report != nullptr;
      },
      30000));
  PostMessageW(report, WM_COMMAND, IDOK, 0);
  HWND player = program.WaitForWindow(L"ZentravueClass", 30000);
  ASSERT_NE(player, nullptr);
  PostMessageW(player, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(15000), 0);
}

TEST_F(CommandLineStart, DebugOpensTheTraceWindowAndStartsAnEmptyLog) {
  const std::wstring log = zvtest::ProgramLogPath(zv::AppName());
  ASSERT_TRUE(zvtest::WriteBytes(log, "left over from an earlier run"));
  ProgramProcess program(L"/debug");
  HWND player = program.WaitForWindow(L"ZentravueClass", 30000);
  ASSERT_NE(player, nullptr);
  HWND debug = nullptr;
  EXPECT_TRUE(zvtest::WaitFor(
      [&] {
        debug = zvtest::FindProcessWindow(program.Id(), L"#32770", L"Debug");
        return debug != nullptr;
      },
      10000));
  EXPECT_EQ(zvtest::QueryPlayer(player, static_cast<WPARAM>(PlayerTestQuery::TraceLogOpen)), 1);
  EXPECT_EQ(zvtest::ReadBytes(log), "");
  PostMessageW(player, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(15000), 0);
  DeleteFileW(log.c_str());
}

TEST_F(CommandLineStart, WithoutDebugTheLogIsNotTouched) {
  const std::wstring log = zvtest::ProgramLogPath(zv::AppName());
  ASSERT_TRUE(zvtest::WriteBytes(log, "marker"));
  ProgramProcess program(L"");
  HWND player = program.WaitForWindow(L"ZentravueClass", 30000);
  ASSERT_NE(player, nullptr);
  EXPECT_EQ(zvtest::QueryPlayer(player, static_cast<WPARAM>(PlayerTestQuery::TraceLogOpen)), 0);
  EXPECT_EQ(zvtest::FindProcessWindow(program.Id(), L"#32770", L"Debug"), nullptr);
  PostMessageW(player, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(15000), 0);
  EXPECT_EQ(zvtest::ReadBytes(log), "marker");
  DeleteFileW(log.c_str());
}
