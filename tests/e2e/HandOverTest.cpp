// Single-instance mode with real processes: a second start hands its command
// line to the first instance and ends.
#include "app/PrivateMessages.h"
#include "tests/testprogram/PlayerTestHook.h"
#include "tests/e2e/support/ProgramProcess.h"
#include "tests/e2e/support/ProgramSettings.h"
#include "tests/win/support/TestEnvironment.h"

#include <shlobj.h>

#include <gtest/gtest.h>

using zvtest::ProgramProcess;
using Q = PlayerTestQuery;

namespace {

WPARAM Ask(Q q) { return static_cast<WPARAM>(q); }

void StoreDoubleClickTime(UINT ms) { SystemParametersInfoW(SPI_SETDOUBLECLICKTIME, ms, nullptr, SPIF_UPDATEINIFILE); }

// A copy of a generated video under a name of the test's choice, so that
// the first instance plays real media (a missing file would stop it with a
// message box).
std::wstring RealMedia(const std::wstring& name) {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + L"zv handover media\\";
  SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
  const std::wstring path = folder + name;
  CopyFileW(zvtest::MediaPath(L"v.avi").c_str(), path.c_str(), FALSE);
  return path;
}

void WaitMs(DWORD ms) {
  const ULONGLONG end = GetTickCount64() + ms;
  zvtest::WaitFor([&] { return GetTickCount64() >= end; }, ms + 1000);
}

class HandOver : public testing::Test {
 protected:
  void SetUp() override {
    zvtest::DeleteProgramRegistry();
    zvtest::PresetEnglish();
  }
  void TearDown() override {
    StoreDoubleClickTime(500);
    zvtest::DeleteProgramRegistry();
  }

  // Starts the first instance and waits for its player window.
  HWND StartFirst(ProgramProcess& first) {
    HWND window = first.WaitForWindow(L"ZentravueClass", 30000);
    shownAt_ = GetTickCount64();
    return window;
  }
  // A second start that must end by itself after handing over.
  void StartSecond(const std::wstring& arguments) {
    ProgramProcess second(arguments);
    ASSERT_TRUE(second.Started());
    ASSERT_EQ(second.WaitForExit(30000), 0) << "the second instance did not end: " << std::string(arguments.begin(), arguments.end());
  }
  bool WaitForHandOvers(HWND player, LRESULT count) {
    return zvtest::WaitFor([&] { return zvtest::QueryPlayer(player, Ask(Q::HandOversApplied)) >= count; }, 15000);
  }
  void Close(HWND player, ProgramProcess& process) {
    PostMessageW(player, WM_CLOSE, 0, 0);
    EXPECT_EQ(process.WaitForExit(15000), 0);
  }

  ULONGLONG shownAt_ = 0;
};

}  // namespace

TEST_F(HandOver, SecondStartHandsItsFileToTheFirstAndEnds) {
  StoreDoubleClickTime(200);
  ProgramProcess first(L"");
  HWND player = StartFirst(first);
  ASSERT_NE(player, nullptr);
  WaitMs(400);  // past the double-click time since the window was made

  const std::wstring clip = RealMedia(L"first clip.avi");
  StartSecond(L"\"" + clip + L"\" /fullscreen /volume:50 /loop /debug /close");
  ASSERT_TRUE(WaitForHandOvers(player, 1));
  EXPECT_EQ(zvtest::ProgramProcessCount(), 1);
  EXPECT_EQ(zvtest::QueryPlayer(player, Ask(Q::PlaylistCount)), 1);
  EXPECT_EQ(zvtest::QueryPlayerText(player, Ask(Q::PlaylistEntry), 1), clip);
  EXPECT_EQ(zvtest::QueryPlayer(player, Ask(Q::PlayedCount)), 1) << "the handed-over file should start";
  EXPECT_EQ(zvtest::QueryPlayer(player, Ask(Q::PlayedEntry), 1), 1);
  EXPECT_EQ(zvtest::QueryPlayer(player, Ask(Q::CommandLineFlag), 3001), 1);
  EXPECT_EQ(zvtest::QueryPlayer(player, Ask(Q::CommandLineFlag), 3002), 0);
  EXPECT_EQ(zvtest::QueryPlayer(player, Ask(Q::CommandLineFlag), 4001), 1);
  EXPECT_EQ(zvtest::QueryPlayerText(player, Ask(Q::CommandLineText), 1005), L"50");
  // "debug" and "close" stay with the instance that got them.
  EXPECT_EQ(zvtest::QueryPlayer(player, Ask(Q::TraceLogOpen)), 0);

  // The next hand-over replaces the switches of the previous one.
  StartSecond(L"/noloop");
  ASSERT_TRUE(WaitForHandOvers(player, 2));
  EXPECT_EQ(zvtest::QueryPlayer(player, Ask(Q::CommandLineFlag), 4001), 0);
  EXPECT_EQ(zvtest::QueryPlayer(player, Ask(Q::CommandLineFlag), 4002), 1);
  EXPECT_EQ(zvtest::QueryPlayer(player, Ask(Q::CommandLineFlag), 3001), 0);
  EXPECT_EQ(zvtest::QueryPlayerText(player, Ask(Q::CommandLineText), 1005), L"");
  EXPECT_EQ(zvtest::QueryPlayer(player, Ask(Q::PlaylistCount)), 1);
  Close(player, first);
}

TEST_F(HandOver, TwoStartsWithinTheDoubleClickTimeOnlyAppend) {
  constexpr UINT kDoubleClick = 3000;
  StoreDoubleClickTime(kDoubleClick);
  ProgramProcess first(L"");
  HWND player = StartFirst(first);
  ASSERT_NE(player, nullptr);
  WaitMs(kDoubleClick + 200);

  const std::wstring a = RealMedia(L"a.avi");
  const std::wstring b = RealMedia(L"b.avi");
  StartSecond(L"\"" + a + L"\"");
  const ULONGLONG firstEnded = GetTickCount64();
  StartSecond(L"\"" + b + L"\"");
  ASSERT_TRUE(WaitForHandOvers(player, 2));
  ASSERT_LT(GetTickCount64() - firstEnded, kDoubleClick) << "the second start took too long for this test";

  EXPECT_EQ(zvtest::QueryPlayer(player, Ask(Q::PlaylistCount)), 2);
  EXPECT_EQ(zvtest::QueryPlayerText(player, Ask(Q::PlaylistEntry), 2), b);
  EXPECT_EQ(zvtest::QueryPlayer(player, Ask(Q::PlayedCount)), 1) << "the second file must not interrupt the first";
  EXPECT_EQ(zvtest::QueryPlayer(player, Ask(Q::PlayedEntry), 1), 1);
  Close(player, first);
}

TEST_F(HandOver, StartWithoutFileAddsNothingAndRestoresTheWindow) {
  StoreDoubleClickTime(200);
  ProgramProcess first(L"");
  HWND player = StartFirst(first);
  ASSERT_NE(player, nullptr);
  ShowWindow(player, SW_MINIMIZE);
  ASSERT_TRUE(zvtest::WaitFor([&] { return IsIconic(player) != FALSE; }, 5000));
  WaitMs(300);

  StartSecond(L"/fullscreen");
  ASSERT_TRUE(WaitForHandOvers(player, 1));
  EXPECT_EQ(zvtest::QueryPlayer(player, Ask(Q::PlaylistCount)), 0);
  EXPECT_EQ(zvtest::QueryPlayer(player, Ask(Q::PlayedCount)), 0);
  EXPECT_EQ(zvtest::QueryPlayer(player, Ask(Q::CommandLineFlag), 3001), 1);
  EXPECT_TRUE(zvtest::WaitFor([&] { return !IsIconic(player) && IsWindowVisible(player); }, 5000));
  Close(player, first);
}

TEST_F(HandOver, TextsLongerThan255CharactersArriveEmpty) {
  StoreDoubleClickTime(200);
  ProgramProcess first(L"");
  HWND player = StartFirst(first);
  ASSERT_NE(player, nullptr);
  WaitMs(300);

  const std::wstring longName = L"C:\\" + std::wstring(260, L'n') + L".avi";
  StartSecond(L"\"" + longName + L"\" /size:" + std::wstring(300, L'3') + L" /jumptopos:12.5 /wndpos:" +
              std::wstring(250, L'1'));
  ASSERT_TRUE(WaitForHandOvers(player, 1));
  EXPECT_EQ(zvtest::QueryPlayer(player, Ask(Q::PlaylistCount)), 0);
  EXPECT_EQ(zvtest::QueryPlayer(player, Ask(Q::PlayedCount)), 0);
  EXPECT_EQ(zvtest::QueryPlayerText(player, Ask(Q::CommandLineText), 1002), L"");
  EXPECT_EQ(zvtest::QueryPlayerText(player, Ask(Q::CommandLineText), 1004), L"12.5");
  EXPECT_EQ(zvtest::QueryPlayerText(player, Ask(Q::CommandLineText), 1003), std::wstring(250, L'1'));
  Close(player, first);
}

TEST_F(HandOver, GarbageCodesFromAnotherProcessAreIgnored) {
  ProgramProcess first(L"");
  HWND player = StartFirst(first);
  ASSERT_NE(player, nullptr);

  PostMessageW(player, kMsgHandOver, 77, 1);
  PostMessageW(player, kMsgHandOver, 2000, 1);
  PostMessageW(player, kMsgHandOver, static_cast<WPARAM>(0x100000000ull + 3001), 1);
  PostMessageW(player, kMsgHandOver, static_cast<WPARAM>(0x100000000ull + 1002), 0);
  PostMessageW(player, kMsgHandOver, static_cast<WPARAM>(-2), 0);
  PostMessageW(player, kMsgHandOver, static_cast<WPARAM>(-1), 5);  // end code with a second parameter
  PostMessageW(player, kMsgHandOver, 10001, 0);
  // Then a proper end, handled after the garbage (one queue). A 32-bit
  // sender's end code arrives without its upper bits.
  PostMessageW(player, kMsgHandOver, 3003, 1);
  PostMessageW(player, kMsgHandOver, 0xFFFFFFFFu, 0);
  ASSERT_TRUE(WaitForHandOvers(player, 1));
  EXPECT_EQ(zvtest::QueryPlayer(player, Ask(Q::HandOversApplied)), 1);
  EXPECT_EQ(zvtest::QueryPlayer(player, Ask(Q::CommandLineFlag), 3001), 0);
  EXPECT_EQ(zvtest::QueryPlayer(player, Ask(Q::CommandLineFlag), 3003), 1);
  EXPECT_EQ(zvtest::QueryPlayer(player, Ask(Q::PlaylistCount)), 0);
  EXPECT_TRUE(IsWindow(player));
  Close(player, first);
}

TEST_F(HandOver, WithSingleInstanceModeOffEveryStartOpensItsOwnWindow) {
  zvtest::SetSettingDword(L"SingleInstanceMode", 0);
  ProgramProcess first(L"");
  HWND player = StartFirst(first);
  ASSERT_NE(player, nullptr);
  ProgramProcess second(L"\"" + RealMedia(L"a.avi") + L"\"");
  HWND secondPlayer = second.WaitForWindow(L"ZentravueClass", 30000);
  ASSERT_NE(secondPlayer, nullptr);
  EXPECT_EQ(zvtest::ProgramProcessCount(), 2);
  EXPECT_EQ(zvtest::QueryPlayer(player, Ask(Q::HandOversApplied)), 0);
  Close(secondPlayer, second);
  Close(player, first);
}
