// The real program with network streams: an address handed over by a second
// start plays like a typed one, and a stream that stalls while it plays
// still lets the program close at once.
#include "player/ZentravueDlg.h"
#include "tests/testprogram/PlayerTestHook.h"
#include "tests/e2e/support/ProgramProcess.h"
#include "tests/e2e/support/ProgramSettings.h"
#include "tests/win/streaming/StreamServer.h"
#include "tests/win/support/TestEnvironment.h"

#include <gtest/gtest.h>

namespace {

using zvtest::ProgramProcess;
using Q = PlayerTestQuery;

// Far below every network limit (the stall limit is 30 s, the server holds
// the stream for a minute).
constexpr ULONGLONG kPromptMs = 5000;

TEST(StreamingProgram, AnAddressHandedOverByASecondStartPlays) {
  ASSERT_NE(zvtest::Servers().http, 0) << "stream_server.py is not running";
  zvtest::DeleteProgramRegistry();
  zvtest::PresetEnglish();
  {
    ProgramProcess first(L"");
    HWND player = first.WaitForWindow(L"ZentravueClass", 30000);
    ASSERT_NE(player, nullptr);
    // Starts within the double-click time of the window only append.
    const ULONGLONG shown = GetTickCount64();
    zvtest::WaitFor([&] { return GetTickCount64() - shown > GetDoubleClickTime() + 200; }, 30000);

    const std::wstring address = zvtest::HttpAddress(L"/ranges/av.mkv");
    {
      ProgramProcess second(L"\"" + address + L"\"");
      ASSERT_TRUE(second.Started());
      ASSERT_EQ(second.WaitForExit(30000), 0);
    }
    ASSERT_TRUE(zvtest::WaitFor(
        [&] { return zvtest::QueryPlayer(player, static_cast<WPARAM>(Q::HandOversApplied)) >= 1; }, 30000));
    EXPECT_EQ(zvtest::QueryPlayerText(player, static_cast<WPARAM>(Q::PlaylistEntry), 1), address);
    EXPECT_TRUE(zvtest::WaitFor(
        [&] { return zvtest::QueryPlayer(player, static_cast<WPARAM>(Q::Position)) > 30; }, 30000));
    PostMessageW(player, WM_CLOSE, 0, 0);
    EXPECT_EQ(first.WaitForExit(30000), 0);
  }
  zvtest::DeleteProgramRegistry();
}

TEST(StreamingProgram, ClosingDuringAStallEndsTheProgramAtOnce) {
  ASSERT_NE(zvtest::Servers().http, 0) << "stream_server.py is not running";
  zvtest::DeleteProgramRegistry();
  zvtest::PresetEnglish();
  {
    ProgramProcess program(L"\"" + zvtest::HttpAddress(L"/stall/demo.mkv?after=1500000") + L"\"");
    ASSERT_TRUE(program.Started());
    HWND player = program.WaitForWindow(L"ZentravueClass", 30000);
    ASSERT_NE(player, nullptr);
    ASSERT_TRUE(zvtest::WaitFor(
        [&] { return zvtest::QueryPlayer(player, static_cast<WPARAM>(Q::PlayState)) == kPlayPlaying; }, 30000));
    ASSERT_TRUE(zvtest::WaitFor([] { return zvtest::StalledConnections() >= 1; }, 30000));
    // The playback reaches the stall after some four seconds of media.
    ASSERT_TRUE(zvtest::WaitFor(
        [&] { return zvtest::QueryPlayer(player, static_cast<WPARAM>(Q::Position)) > 600; }, 30000));

    const ULONGLONG start = GetTickCount64();
    PostMessageW(player, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForExit(30000), 0);
    EXPECT_LT(GetTickCount64() - start, kPromptMs);
  }
  zvtest::DeleteProgramRegistry();
}

}  // namespace
