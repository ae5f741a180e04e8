// The toolbar and the mute button follow the player's state whatever changed
// it: a menu command (WM_COMMAND as the menu and the toolbar send it), a key
// (a key message through the window's own message loop and pre-filter), a
// remote-control code from this process, or the end of a real clip. After
// every step the buttons are read from the running program: state bits and
// pictures straight from its toolbar window, tooltip texts through the hook.
#include "app/PrivateMessages.h"
#include "res/resource.h"
#include "tests/e2e/E2eHelpers.h"
#include "tests/e2e/support/ProgramProcess.h"
#include "tests/e2e/support/ProgramSettings.h"
#include "tests/testprogram/PlayerTestHook.h"
#include "tests/win/support/TestEnvironment.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using zvtest::ProgramProcess;
using Q = PlayerTestQuery;

namespace {

constexpr DWORD kStepTimeoutMs = 20000;

LRESULT Hook(HWND player, Q question, LPARAM argument = 0) {
  return zvtest::QueryPlayer(player, static_cast<WPARAM>(question), argument);
}

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

// What the buttons must show.
struct Expected {
  bool mediaOpen;
  bool hasVideo;
  int playState;  // 0 stopped, 1 paused, 2 playing
  bool muted;
};

// The ways a state changes.
void Menu(HWND player, UINT command) { PostMessageW(player, WM_COMMAND, MAKEWPARAM(command, 0), 0); }

void Key(HWND player, WORD key) {
  const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
  PostMessageW(player, WM_KEYDOWN, key, scan | 1);
  PostMessageW(player, WM_KEYUP, key, scan | 1 | static_cast<LPARAM>(0xC0000000));
}

void KeyWithCtrl(HWND player, WORD key) {
  const LPARAM ctrl = static_cast<LPARAM>(MapVirtualKeyW(VK_CONTROL, MAPVK_VK_TO_VSC)) << 16;
  PostMessageW(player, WM_KEYDOWN, VK_CONTROL, ctrl | 1);
  Key(player, key);
  PostMessageW(player, WM_KEYUP, VK_CONTROL, ctrl | 1 | static_cast<LPARAM>(0xC0000000));
}

void Remote(HWND player, WPARAM code) {
  DWORD_PTR ignored = 0;
  EXPECT_TRUE(SendMessageTimeoutW(player, kMsgRemoteControl, code, 0, SMTO_NORMAL, kStepTimeoutMs, &ignored))
      << "no answer to remote code " << code;
}

// The volume in percent, as a remote control asks for it.
std::wstring VolumePercent(HWND player) {
  DWORD_PTR atom = 0;
  if (!SendMessageTimeoutW(player, kMsgRemoteControl, 4, 0, SMTO_NORMAL, kStepTimeoutMs, &atom) || !atom) return {};
  wchar_t text[32] = {};
  const UINT n = GlobalGetAtomNameW(static_cast<ATOM>(atom), text, 32);
  GlobalDeleteAtom(static_cast<ATOM>(atom));
  return std::wstring(text, n);
}

bool Reached(HWND player, const Expected& e) {
  if (Hook(player, Q::MediaOpen) != (e.mediaOpen ? 1 : 0)) return false;
  if (e.mediaOpen && Hook(player, Q::PlayState) != e.playState) return false;
  return (VolumePercent(player) == L"0") == e.muted;
}

// Every button the state decides, read from the other process.
void ExpectButtons(HWND player, HWND bar, const Expected& e, const std::string& step) {
  SCOPED_TRACE(step);
  auto state = [&](int command) { return SendMessageW(bar, TB_GETSTATE, command, 0); };
  auto enabled = [&](int command) {
    const LRESULT s = state(command);
    return s >= 0 && (s & TBSTATE_ENABLED) && !(s & TBSTATE_INDETERMINATE);
  };
  auto greyed = [&](int command) {
    const LRESULT s = state(command);
    return s >= 0 && (s & TBSTATE_INDETERMINATE) && !(s & TBSTATE_ENABLED);
  };
  auto tip = [&](int command) { return zvtest::QueryPlayerText(player, static_cast<WPARAM>(Q::ToolTip), command); };

  for (int command : {IDTBB_PLAY, IDTBB_PAUSE, IDTBB_STOP, IDTBB_FASTBACKWARD, IDTBB_FASTFORWARD}) {
    if (e.mediaOpen)
      EXPECT_TRUE(enabled(command)) << "button " << command << " state " << state(command);
    else
      EXPECT_TRUE(greyed(command)) << "button " << command << " state " << state(command);
  }
  for (int command : {IDTBB_SCREENSHOT, IDTBB_CLIPPING}) {
    if (e.mediaOpen && e.hasVideo)
      EXPECT_TRUE(enabled(command)) << "button " << command << " state " << state(command);
    else
      EXPECT_TRUE(greyed(command)) << "button " << command << " state " << state(command);
  }
  EXPECT_TRUE(enabled(IDTBB_OPEN));

  // Play and pause: the one of the current state is shown pressed.
  const bool playing = e.mediaOpen && e.playState == 2;
  const bool paused = e.mediaOpen && e.playState == 1;
  EXPECT_EQ(SendMessageW(bar, TB_ISBUTTONCHECKED, IDTBB_PLAY, 0) != 0, playing);
  EXPECT_EQ(SendMessageW(bar, TB_ISBUTTONCHECKED, IDTBB_PAUSE, 0) != 0, paused);
  EXPECT_EQ(SendMessageW(bar, TB_ISBUTTONCHECKED, IDTBB_STOP, 0), 0);
  EXPECT_EQ(SendMessageW(bar, TB_GETBITMAP, IDTBB_PLAY, 0), 2);
  EXPECT_EQ(SendMessageW(bar, TB_GETBITMAP, IDTBB_PAUSE, 0), 3);
  EXPECT_EQ(Narrow(tip(IDTBB_PLAY)), "Play");
  EXPECT_EQ(Narrow(tip(IDTBB_PAUSE)), "Pause");
  EXPECT_EQ(Narrow(tip(IDTBB_STOP)), "Stop");

  // Mute: the picture of the state, the tooltip of the action a click performs.
  EXPECT_EQ(Hook(player, Q::ButtonImage, IDTBB_MUTE), e.muted ? 15 : 14);
  EXPECT_EQ(Narrow(tip(IDTBB_MUTE)), e.muted ? "Audio On" : "Audio Off");
}

struct Step {
  const char* name;
  std::function<void(HWND)> act;  // null: wait for what the media does by itself
  Expected expected;
};

class ToolBarState : public testing::Test {
 protected:
  void SetUp() override {
    zvtest::DeleteProgramRegistry();
    zvtest::PresetEnglish();
  }
  void TearDown() override { zvtest::DeleteProgramRegistry(); }

  void Run(const std::wstring& arguments, const std::vector<Step>& steps) {
    ProgramProcess process(arguments);
    ASSERT_TRUE(process.WaitForWindow(L"ZentravueClass", 30000));
    HWND player = zvtest::FindPlayerWindow(process.Id());
    ASSERT_NE(player, nullptr);
    HWND bar = FindWindowExW(player, nullptr, TOOLBARCLASSNAMEW, nullptr);
    ASSERT_NE(bar, nullptr);
    // Pictures from the normal strip, and under the mouse from the hot one.
    const LRESULT normal = SendMessageW(bar, TB_GETIMAGELIST, 0, 0);
    const LRESULT hot = SendMessageW(bar, TB_GETHOTIMAGELIST, 0, 0);
    EXPECT_NE(normal, 0);
    EXPECT_NE(hot, 0);
    EXPECT_NE(normal, hot);
    for (const Step& step : steps) {
      if (step.act) step.act(player);
      ASSERT_TRUE(zvtest::WaitFor([&] { return Reached(player, step.expected); }, kStepTimeoutMs))
          << step.name << ": media open " << Hook(player, Q::MediaOpen) << ", play state "
          << Hook(player, Q::PlayState) << ", volume " << Narrow(VolumePercent(player));
      ExpectButtons(player, bar, step.expected, step.name);
    }
    Remote(player, 28);
    EXPECT_EQ(process.WaitForExit(20000), 0);
  }
};

constexpr Expected kPlaying{true, true, 2, false};
constexpr Expected kPaused{true, true, 1, false};
constexpr Expected kStopped{true, true, 0, false};
constexpr Expected kPlayingMuted{true, true, 2, true};

}  // namespace

TEST_F(ToolBarState, PlayPauseAndMuteFollowMenuKeysAndRemoteCodes) {
  const std::vector<Step> steps = {
      {"start", nullptr, kPlaying},
      {"menu play/pause", [](HWND p) { Menu(p, IDM_WIEDERGABE_WIEDERGABE_PAUSE); }, kPaused},
      {"menu play/pause again", [](HWND p) { Menu(p, IDM_WIEDERGABE_WIEDERGABE_PAUSE); }, kPlaying},
      {"menu stop", [](HWND p) { Menu(p, IDM_WIEDERGABE_STOPP); }, kStopped},
      {"toolbar play", [](HWND p) { Menu(p, IDTBB_PLAY); }, kPlaying},
      {"toolbar pause", [](HWND p) { Menu(p, IDTBB_PAUSE); }, kPaused},
      {"toolbar stop", [](HWND p) { Menu(p, IDTBB_STOP); }, kStopped},
      {"menu mute", [](HWND p) { Menu(p, IDM_AUDIO_STUMM); }, {true, true, 0, true}},
      {"mute button", [](HWND p) { Menu(p, IDTBB_MUTE); }, kStopped},
      {"key Space", [](HWND p) { Key(p, VK_SPACE); }, kPlaying},
      {"key Num 5", [](HWND p) { Key(p, VK_NUMPAD5); }, kPaused},
      {"key Space again", [](HWND p) { Key(p, VK_SPACE); }, kPlaying},
      {"key S", [](HWND p) { Key(p, 'S'); }, kStopped},
      {"key Space from stop", [](HWND p) { Key(p, VK_SPACE); }, kPlaying},
      {"key M", [](HWND p) { Key(p, 'M'); }, kPlayingMuted},
      {"key Ctrl+M (full volume)", [](HWND p) { KeyWithCtrl(p, 'M'); }, kPlaying},
      {"key M again", [](HWND p) { Key(p, 'M'); }, kPlayingMuted},
      {"key Num - while muted", [](HWND p) { Key(p, VK_SUBTRACT); }, kPlayingMuted},
      {"key Num +", [](HWND p) { Key(p, VK_ADD); }, kPlaying},
      {"remote 2 (pause)", [](HWND p) { Remote(p, 2); }, kPaused},
      {"remote 3 (play)", [](HWND p) { Remote(p, 3); }, kPlaying},
      {"remote 23 (play/pause)", [](HWND p) { Remote(p, 23); }, kPaused},
      {"remote 23 again", [](HWND p) { Remote(p, 23); }, kPlaying},
      {"remote 24 (stop)", [](HWND p) { Remote(p, 24); }, kStopped},
      {"remote 2 from stop", [](HWND p) { Remote(p, 2); }, kPaused},
      {"remote 3 again", [](HWND p) { Remote(p, 3); }, kPlaying},
  };
  Run(L"\"" + zvtest::MediaPath(L"long.mkv") + L"\"", steps);
}

// A playlist of a 2 s video and a 4 s audio-only clip played to their ends,
// then closed and opened again by every path. The player starts muted (the
// stored volume), so nothing has to be done before the first clip ends.
TEST_F(ToolBarState, MediaButtonsFollowTheEndOfMediaClosingAndOpening) {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring list = std::wstring(temp) + L"zv-toolbar-state.m3u";
  ASSERT_TRUE(zvtest::WriteBytes(list, "#EXTM3U\r\n" + Narrow(zvtest::MediaPath(L"v.avi")) + "\r\n" +
                                           Narrow(zvtest::MediaPath(L"live.mp3")) + "\r\n"));
  zvtest::SetSettingDword(L"Volume", 0);  // stored as volume + 10000: silent
  auto entry = [](int n) {
    return [n](HWND p) {
      ASSERT_TRUE(zvtest::WaitFor([&] { return Hook(p, Q::CurrentEntry) == n; }, kStepTimeoutMs))
          << "entry " << n << " never became current";
    };
  };
  const std::vector<Step> steps = {
      // The video ends: the audio-only entry plays, still muted.
      {"end of the video", entry(2), {true, false, 2, true}},
      // The last entry ends: entry 1 waits at its start.
      {"end of the list", entry(1), {true, true, 0, true}},
      {"remote 27 (close)", [](HWND p) { Remote(p, 27); }, {false, false, 0, true}},
      {"key Num 1 (first entry)", [](HWND p) { Key(p, VK_NUMPAD1); }, {true, true, 2, true}},
      {"menu close", [](HWND p) { Menu(p, IDM_DATEI_SCHLIESSEN); }, {false, false, 0, true}},
      {"menu mute while closed", [](HWND p) { Menu(p, IDM_AUDIO_STUMM); }, {false, false, 0, false}},
      {"menu recent file", [](HWND p) { Menu(p, ID_RECENT_FILE1); }, {true, true, 2, false}},
      {"remote 24 (stop)", [](HWND p) { Remote(p, 24); }, {true, true, 0, false}},
      {"remote 32 (next file)", [](HWND p) { Remote(p, 32); }, {true, true, 2, false}},
  };
  Run(L"\"" + list + L"\"", steps);
  DeleteFileW(list.c_str());
}
