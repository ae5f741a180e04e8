// The player window's transport commands, driven in this process on real
// graphs of the generated media: each test runs the window modally and plays
// a script from inside its message loop, reading menus and controls here
// (menus cannot be read from another process).
#include "app/MediaUnits.h"
#include "app/ProductName.h"
#include "app/Settings.h"
#include "app/ZentravueApp.h"
#include "framework/WideString.h"
#include "media/VideoFile.h"
#include "player/ToolBarButtons.h"
#include "player/ZentravueDlg.h"
#include "playlist/CPlaylist.h"
#include "res/resource.h"
#include "tests/win/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <vector>

using zvtest::MediaPath;
using zvtest::WaitFor;

namespace {

constexpr UINT kRunScript = WM_APP + 100;

class ScriptedPlayer : public CZentravueDlg {
 public:
  using Script = std::function<void(ScriptedPlayer&)>;
  ScriptedPlayer(CSettings* settings, Script script)
      : CZentravueDlg(nullptr, nullptr, nullptr, settings), script_(std::move(script)) {}

  void Command(UINT id) { SendMessageW(hwnd_, WM_COMMAND, id, 0); }
  std::wstring Title() const { return GetText(); }
  int Position() { return CurrentMedia() ? CurrentMedia()->GetPosition() : -1; }
  long MediaState() {
    long state = -1;
    if (CurrentMedia()) CurrentMedia()->GetState(&state);
    return state;
  }
  bool Opened(const wchar_t* name) { return OpenMediaFile(MediaPath(name)) && CurrentMedia(); }
  // Both menus carry the same state.
  bool CheckedInBoth(UINT id) const {
    return IsItemChecked(MainMenu(), id) && IsItemChecked(ContextMenu(), id);
  }
  bool UncheckedInBoth(UINT id) const {
    return !IsItemChecked(MainMenu(), id) && !IsItemChecked(ContextMenu(), id);
  }
  bool EnabledInBoth(UINT id) const { return IsItemEnabled(MainMenu(), id) && IsItemEnabled(ContextMenu(), id); }
  bool GreyedInBoth(UINT id) const { return !IsItemEnabled(MainMenu(), id) && !IsItemEnabled(ContextMenu(), id); }

 protected:
  BOOL OnInitDialog() override {
    const BOOL result = CZentravueDlg::OnInitDialog();
    PostMessageW(hwnd_, kRunScript, 0, 0);
    return result;
  }
  bool OnRawMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
    if (message != kRunScript) return CZentravueDlg::OnRawMessage(message, wParam, lParam, result);
    script_(*this);
    PostMessageW(hwnd_, WM_CLOSE, 0, 0);
    return true;
  }

 private:
  static bool IsItemChecked(HMENU menu, UINT id) {
    return (GetMenuState(menu, id, MF_BYCOMMAND) & MF_CHECKED) != 0;
  }
  static bool IsItemEnabled(HMENU menu, UINT id) {
    const UINT state = GetMenuState(menu, id, MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && (state & (MF_GRAYED | MF_DISABLED)) == 0;
  }

  Script script_;
};

void RunPlayer(CSettings& settings, const ScriptedPlayer::Script& script) {
  ASSERT_TRUE(CZentravueApp::RegisterPlayerWindowClass(GetModuleHandleW(nullptr)));
  ScriptedPlayer player(&settings, script);
  EXPECT_EQ(player.DoModal(), 0);
}

void RunPlayer(const ScriptedPlayer::Script& script) {
  CSettings settings(0);
  RunPlayer(settings, script);
}

const CToolBarButtons& Buttons() {
  static const CToolBarButtons table = CToolBarButtons::BuiltIn();
  return table;
}
std::wstring TooltipOf(const char16_t* name) {
  return fw::ToWide(Buttons().TooltipOf(name));
}

int SelectionStart(HWND bar) { return static_cast<int>(SendMessageW(bar, TBM_GETSELSTART, 0, 0)); }
int SelectionEnd(HWND bar) { return static_cast<int>(SendMessageW(bar, TBM_GETSELEND, 0, 0)); }

}  // namespace

TEST(Transport, TitleFollowsThePlayStateAndIsTheBaseWithoutMedia) {
  RunPlayer([](ScriptedPlayer& p) {
    const std::wstring base = zv::AppName() + L" BETA";
    EXPECT_EQ(p.Title(), base);
    p.Command(IDM_WIEDERGABE_WIEDERGABE_PAUSE);
    EXPECT_EQ(p.Title(), base) << "play/pause without media does nothing";
    ASSERT_TRUE(p.Opened(L"av.mkv"));
    EXPECT_EQ(p.Title(), base + L" - av.mkv - PLAY");
    p.Command(IDM_WIEDERGABE_WIEDERGABE_PAUSE);
    EXPECT_EQ(p.GetPlayState(), kPlayPaused);
    EXPECT_EQ(p.Title(), base + L" - av.mkv - PAUSE");
    p.Command(IDM_WIEDERGABE_WIEDERGABE_PAUSE);
    EXPECT_EQ(p.Title(), base + L" - av.mkv - PLAY");
    p.Command(IDM_WIEDERGABE_STOPP);
    EXPECT_EQ(p.Title(), base + L" - av.mkv - STOP");
    p.CloseMedia(true);
    EXPECT_EQ(p.Title(), base);
  });
}

TEST(Transport, StopRewindsToZeroPausedAndOffersTheLastPosition) {
  RunPlayer([](ScriptedPlayer& p) {
    ASSERT_TRUE(p.Opened(L"demo.mkv"));
    EXPECT_TRUE(p.GreyedInBoth(IDM_WIEDERGABE_SPRINGELETZTESTELLE));
    ASSERT_TRUE(WaitFor([&] { return p.Position() >= 50; }, 5000));
    p.Command(IDM_WIEDERGABE_STOPP);
    EXPECT_EQ(p.GetPlayState(), kPlayStopped);
    EXPECT_EQ(p.Position(), 0);
    EXPECT_EQ(p.MediaState(), kStatePaused) << "the graph stays paused at its start";
    EXPECT_TRUE(p.EnabledInBoth(IDM_WIEDERGABE_SPRINGELETZTESTELLE));
    EXPECT_TRUE(p.ToolBar().IsButtonEnabled(IDTBB_JUMPLASTPOSITION));
    p.Play();
    EXPECT_EQ(p.GetPlayState(), kPlayPlaying);
    EXPECT_LT(p.Position(), 50) << "play after stop starts at the beginning";
    EXPECT_TRUE(WaitFor([&] { return p.MediaState() == kStateRunning; }, 3000));
  });
}

// The resume position itself is written by the opening code's store; this
// checks that stopping asks for it before rewinding.
TEST(Transport, StopStoresTheResumePositionBeforeRewinding) {
  RunPlayer([](ScriptedPlayer& p) {
    ASSERT_TRUE(p.Opened(L"demo.mkv"));
    p.Pause();
    p.CurrentMedia()->SetPosition(345);
    p.Command(IDM_WIEDERGABE_STOPP);
    const std::wstring key = zv::ProductKey() + L"\\Videos";
    wchar_t value[64] = {};
    DWORD size = sizeof(value);
    ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, key.c_str(), L"demo.mkv", RRF_RT_REG_SZ, nullptr, value, &size),
              ERROR_SUCCESS);
    EXPECT_STREQ(value, L"3.45");
  });
}

TEST(Transport, MarksIgnoreAnEndBeforeTheStartAndLoopBetweenThem) {
  RunPlayer([](ScriptedPlayer& p) {
    ASSERT_TRUE(p.Opened(L"demo.mkv"));
    const int duration = p.CurrentMedia()->GetDuration();
    EXPECT_EQ(p.MarkEnd(), duration);
    p.PositionBar().SetPos(300);
    p.Command(IDM_WIEDERGABE_MARKIERUNGSANFANGSETZEN);
    EXPECT_EQ(p.MarkStart(), 300);
    p.PositionBar().SetPos(200);
    p.Command(IDM_WIEDERGABE_MARKIERUNGSENDESETZEN);
    EXPECT_EQ(p.MarkEnd(), duration) << "an end before the start is ignored";
    p.PositionBar().SetPos(600);
    p.Command(IDM_WIEDERGABE_MARKIERUNGSENDESETZEN);
    EXPECT_EQ(p.MarkEnd(), 600);
    EXPECT_NEAR(p.Position(), 300, 4) << "setting the end jumps to the start mark";

    // Loop on: check marks in both menus, the button shows the state and
    // offers the opposite, the bar shows the marked range.
    EXPECT_TRUE(p.IsLooping());
    EXPECT_TRUE(p.CheckedInBoth(IDM_WIEDERGABE_ENDLOSSCHLEIFE));
    EXPECT_EQ(p.ToolBar().ButtonImage(IDTBB_LOOP), Buttons().ImageIndexOf(u"Loop"));
    EXPECT_EQ(p.ToolBar().ButtonTooltip(IDTBB_LOOP), TooltipOf(u"NoLoop"));
    EXPECT_EQ(SelectionStart(p.PositionBar().hwnd()), 300);
    EXPECT_EQ(SelectionEnd(p.PositionBar().hwnd()), 600);

    // Playing through the end mark returns to the start mark at most half a
    // second of media time after it.
    int highest = 0;
    bool passed = false;
    const bool returned = WaitFor(
        [&] {
          const int position = p.Position();
          if (position >= 600) passed = true;
          if (passed) highest = std::max(highest, position);
          return passed && position < 600;
        },
        8000);
    ASSERT_TRUE(returned) << "highest " << highest;
    EXPECT_LE(highest, 650);
    EXPECT_GE(p.Position(), 300);

    // Loop off clears the selection; on again shows it.
    p.Command(IDM_WIEDERGABE_ENDLOSSCHLEIFE);
    EXPECT_FALSE(p.IsLooping());
    EXPECT_TRUE(p.UncheckedInBoth(IDM_WIEDERGABE_ENDLOSSCHLEIFE));
    EXPECT_EQ(p.ToolBar().ButtonImage(IDTBB_LOOP), Buttons().ImageIndexOf(u"NoLoop"));
    EXPECT_EQ(p.ToolBar().ButtonTooltip(IDTBB_LOOP), TooltipOf(u"Loop"));
    EXPECT_EQ(SelectionEnd(p.PositionBar().hwnd()), SelectionStart(p.PositionBar().hwnd()));
    p.Command(IDTBB_LOOP);
    EXPECT_TRUE(p.CheckedInBoth(IDM_WIEDERGABE_ENDLOSSCHLEIFE));
    EXPECT_EQ(SelectionEnd(p.PositionBar().hwnd()), 600);
    p.Command(IDM_WIEDERGABE_ALLESMARKIEREN);
    EXPECT_EQ(p.MarkStart(), 0);
    EXPECT_EQ(p.MarkEnd(), duration);
  });
}

TEST(Transport, JumpsToMarksAlternateWithTheMediaEnds) {
  RunPlayer([](ScriptedPlayer& p) {
    ASSERT_TRUE(p.Opened(L"demo.mkv"));
    p.Pause();
    p.PositionBar().SetPos(200);
    p.Command(IDM_WIEDERGABE_MARKIERUNGSANFANGSETZEN);
    p.PositionBar().SetPos(500);
    p.Command(IDM_WIEDERGABE_MARKIERUNGSENDESETZEN);
    p.Command(IDM_WIEDERGABE_SPRINGEZUMARKIERUNGSVIDEOENDE);
    EXPECT_NEAR(p.Position(), 500, 4);
    p.Command(IDM_WIEDERGABE_SPRINGEZUMARKIERUNGSVIDEOENDE);
    EXPECT_GE(p.Position(), p.CurrentMedia()->GetDuration() - 4);
    p.Command(IDM_WIEDERGABE_SPRINGEZUMARKIERUNGSVIDEOANFANG);
    EXPECT_NEAR(p.Position(), 200, 4);
    p.Command(IDM_WIEDERGABE_SPRINGEZUMARKIERUNGSVIDEOANFANG);
    EXPECT_EQ(p.Position(), 0);
  });
}

// Wine's graph accepts rate changes but reports 1.0 whatever was set, so the
// ladder is followed from the rate the media reports. Where a platform
// reports the set rate, six presses reach 32 and the seventh returns to 1.
TEST(Transport, FasterFollowsTheLadderFromTheReportedRate) {
  RunPlayer([](ScriptedPlayer& p) {
    ASSERT_TRUE(p.Opened(L"av.mkv"));
    std::vector<double> reported;
    for (int press = 0; press < 7; ++press) {
      p.Command(IDM_PLAYSPEED_PLAYFASTFORWARDS);
      reported.push_back(p.CurrentMedia()->GetRate());
    }
    if (reported.front() == 1.5) {
      EXPECT_EQ(reported, (std::vector<double>{1.5, 2, 4, 8, 16, 32, 1}));
    } else {
      for (double rate : reported) EXPECT_EQ(rate, 1.0);
    }
    p.Command(IDM_PLAYSPEED_PLAYSLOWFORWARDS);
    const double slow = p.CurrentMedia()->GetRate();
    EXPECT_TRUE(slow == 0.5 || slow == 1.0) << slow;
    p.Play();
    EXPECT_EQ(p.CurrentMedia()->GetRate(), 1.0) << "play resets the rate";
    EXPECT_TRUE(WaitFor([&] { return p.MediaState() == kStateRunning; }, 3000));
  });
}

// Backwards rates are refused by Wine's graph; each press then falls back
// to -1, which is refused too, and the media keeps its rate.
TEST(Transport, FastBackwardsFallsBackAndKeepsPlaying) {
  RunPlayer([](ScriptedPlayer& p) {
    ASSERT_TRUE(p.Opened(L"av.mkv"));
    std::vector<double> reported;
    for (int press = 0; press < 7; ++press) {
      p.Command(IDM_PLAYSPEED_PLAYFASTBACKWARDS);
      reported.push_back(p.CurrentMedia()->GetRate());
    }
    if (reported.front() == -1.0) {
      EXPECT_EQ(reported, (std::vector<double>{-1, -2, -4, -8, -16, -32, -1}));
    } else {
      for (double rate : reported) EXPECT_EQ(rate, 1.0);
    }
    p.Command(IDM_WIEDERGABE_NORMAL);
    EXPECT_EQ(p.CurrentMedia()->GetRate(), 1.0);
    EXPECT_EQ(p.GetPlayState(), kPlayPlaying);
  });
}

TEST(Transport, QuieterAtFivePercentMutesAndGreysQuieter) {
  CSettings settings(0);
  settings.Volume = zv::VolumeFromPercent(5);
  RunPlayer(settings, [&](ScriptedPlayer& p) {
    EXPECT_EQ(p.VolumeBar().GetPos(), 5);
    p.Command(IDM_AUDIO_LEISER);
    EXPECT_EQ(settings.Volume, zv::kVolumeSilent);
    EXPECT_EQ(p.VolumeBar().GetPos(), 0);
    EXPECT_TRUE(p.CheckedInBoth(IDM_AUDIO_STUMM));
    EXPECT_TRUE(p.GreyedInBoth(IDM_AUDIO_LEISER));
    EXPECT_TRUE(p.EnabledInBoth(IDM_AUDIO_LAUTER));
    EXPECT_EQ(p.MuteButton().ImageIndex(), Buttons().ImageIndexOf(u"Mute"));
    EXPECT_EQ(p.MuteButton().TooltipText(), TooltipOf(u"NoMute"));
    // Unmuting gives back the five percent it came from.
    p.Command(IDTBB_MUTE);
    EXPECT_EQ(settings.Volume, zv::VolumeFromPercent(5));
  });
}

TEST(Transport, LouderAtNinetyFiveReachesFullAndGreysLouder) {
  CSettings settings(0);
  settings.Volume = zv::VolumeFromPercent(95);
  RunPlayer(settings, [&](ScriptedPlayer& p) {
    ASSERT_TRUE(p.Opened(L"av.mkv"));
    p.Command(IDM_AUDIO_LAUTER);
    EXPECT_EQ(settings.Volume, zv::kVolumeFull);
    EXPECT_EQ(p.VolumeBar().GetPos(), 100);
    EXPECT_TRUE(p.GreyedInBoth(IDM_AUDIO_LAUTER));
    EXPECT_TRUE(p.EnabledInBoth(IDM_AUDIO_LEISER));
    EXPECT_TRUE(p.UncheckedInBoth(IDM_AUDIO_STUMM));
    EXPECT_EQ(p.MuteButton().ImageIndex(), Buttons().ImageIndexOf(u"NoMute"));
    EXPECT_EQ(p.MuteButton().TooltipText(), TooltipOf(u"Mute"));
  });
}

TEST(Transport, MuteAtFullAndUnmuteRestoresFullOnTheMedia) {
  CSettings settings(0);
  settings.Volume = zv::kVolumeFull;
  RunPlayer(settings, [&](ScriptedPlayer& p) {
    ASSERT_TRUE(p.Opened(L"av.mkv"));
    p.Command(IDM_AUDIO_STUMM);
    EXPECT_EQ(settings.Volume, zv::kVolumeSilent);
    EXPECT_EQ(p.CurrentMedia()->GetVolume(), zv::kVolumeSilent);
    EXPECT_TRUE(p.CheckedInBoth(IDM_AUDIO_STUMM));
    p.Command(IDM_AUDIO_STUMM);
    EXPECT_EQ(settings.Volume, zv::kVolumeFull);
    EXPECT_EQ(p.CurrentMedia()->GetVolume(), zv::kVolumeFull);
    EXPECT_TRUE(p.UncheckedInBoth(IDM_AUDIO_STUMM));
  });
}

TEST(Transport, VolumeBarSetsTheVolume) {
  CSettings settings(0);
  RunPlayer(settings, [&](ScriptedPlayer& p) {
    p.VolumeBar().SetPos(50);
    SendMessageW(p.hwnd(), WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 50),
                 reinterpret_cast<LPARAM>(p.VolumeBar().hwnd()));
    EXPECT_EQ(settings.Volume, -301);
    p.VolumeBar().SetPos(0);
    SendMessageW(p.hwnd(), WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), reinterpret_cast<LPARAM>(p.VolumeBar().hwnd()));
    EXPECT_EQ(settings.Volume, -301) << "end of scroll is ignored";
  });
}

TEST(CommandLineOptions, VolumeOutsideZeroToHundredIsSilence) {
  CSettings settings(0);
  RunPlayer(settings, [&](ScriptedPlayer& p) {
    p.CommandLine().SetVolume(u"150");
    p.ApplyCommandLineOptions();
    EXPECT_EQ(settings.Volume, zv::kVolumeSilent);
    EXPECT_TRUE(p.CheckedInBoth(IDM_AUDIO_STUMM));
    p.CommandLine().SetVolume(u"-1");
    settings.Volume = 0;
    p.ApplyCommandLineOptions();
    EXPECT_EQ(settings.Volume, zv::kVolumeSilent);
    p.CommandLine().SetVolume(u"50");
    p.ApplyCommandLineOptions();
    EXPECT_EQ(settings.Volume, -301);
    EXPECT_EQ(p.VolumeBar().GetPos(), 50);
  });
}

TEST(CommandLineOptions, LoopPauseJumpAndWindowPosition) {
  RunPlayer([](ScriptedPlayer& p) {
    CCmdLineInfo& options = p.CommandLine();
    options.Loop = true;
    options.Pause = true;
    options.SetJumpToPos(u"2.5");
    options.SetWindowPos(u"40,30");
    options.SetBorderColour(u"10,20,30");
    ASSERT_TRUE(p.Opened(L"demo.mkv"));  // opening applies the options
    EXPECT_TRUE(p.IsLooping());
    EXPECT_TRUE(p.CheckedInBoth(IDM_WIEDERGABE_ENDLOSSCHLEIFE));
    EXPECT_EQ(p.GetPlayState(), kPlayPaused);
    EXPECT_NEAR(p.Position(), 250, 4);
    RECT window{};
    GetWindowRect(p.hwnd(), &window);
    EXPECT_EQ(window.left, 40);
    EXPECT_EQ(window.top, 30);
    options.Loop = false;
    options.NoLoop = true;
    options.Center = true;
    p.ApplyCommandLineOptions();
    EXPECT_FALSE(p.IsLooping());
    GetWindowRect(p.hwnd(), &window);
    EXPECT_NE(window.left, 40) << "center wins over wndpos";
  });
}

TEST(Transport, JumpingBackBeforeTheStartOpensThePreviousEntryNearItsEnd) {
  CSettings settings(0);
  settings.JumpingRange = 10;
  RunPlayer(settings, [&](ScriptedPlayer& p) {
    CPlaylist& list = p.Playlist();
    list.Clear();
    list.AddEntry(fw::ToU16(MediaPath(L"long.mkv")));
    list.AddEntry(fw::ToU16(MediaPath(L"demo.mkv")));
    p.PlayEntry(2);
    ASSERT_NE(p.FileMedia(), nullptr);
    p.Pause();
    p.CurrentMedia()->SetPosition(300);
    p.Command(IDM_WIEDERGABE_SCHNELLESZURUECKSPULEN);
    ASSERT_EQ(list.CurrentPosition(), 1);
    ASSERT_NE(p.CurrentMedia(), nullptr);
    EXPECT_NE(p.Title().find(L"long.mkv"), std::wstring::npos);
    const int duration = p.CurrentMedia()->GetDuration();
    EXPECT_NEAR(duration, 1500, 10);
    EXPECT_NEAR(p.Position(), duration - 1000, 10);
    // Forward again: no clamp at the end, the media keeps the seek inside.
    p.Command(IDM_WIEDERGABE_SCHNELLESVORSPULEN);
    EXPECT_GE(p.Position(), duration - 10);
    // In the first entry a jump below 0 stays there.
    p.CurrentMedia()->SetPosition(300);
    p.Command(IDM_WIEDERGABE_SCHNELLESZURUECKSPULEN);
    EXPECT_EQ(list.CurrentPosition(), 1);
    EXPECT_LT(p.Position(), 10);
  });
}

TEST(Transport, PlaylistNavigationAndCommandStates) {
  RunPlayer([](ScriptedPlayer& p) {
    CPlaylist& list = p.Playlist();
    list.Clear();
    p.RefreshPlaylistCommands();
    EXPECT_TRUE(p.GreyedInBoth(IDM_PLAYLIST_NAECHSTERTITEL));
    EXPECT_TRUE(p.GreyedInBoth(IDM_PLAYLIST_SPEICHERN));
    EXPECT_FALSE(p.ToolBar().IsButtonEnabled(IDTBB_NEXTTRACKCHAPTER));
    for (const wchar_t* name : {L"av.mkv", L"v.mkv", L"av.avi"})
      list.AddEntry(fw::ToU16(MediaPath(name)));
    list.SetCurrentByPosition(1);
    p.RefreshPlaylistCommands(true);
    EXPECT_TRUE(p.EnabledInBoth(IDM_PLAYLIST_NAECHSTERTITEL));
    EXPECT_TRUE(p.EnabledInBoth(IDM_PLAYLIST_SPEICHERNUNTER));
    EXPECT_TRUE(p.ToolBar().IsButtonEnabled(IDTBB_NEXTTRACKCHAPTER));
    EXPECT_NE(p.Title().find(L"av.mkv"), std::wstring::npos) << "refresh with play plays the current entry";
    p.Command(IDM_PLAYLIST_NAECHSTERTITEL);
    EXPECT_EQ(list.CurrentPosition(), 2);
    p.Command(IDM_PLAYLIST_LETZTERTITEL);
    EXPECT_EQ(list.CurrentPosition(), 3);
    p.Command(IDM_PLAYLIST_NAECHSTERTITEL);
    EXPECT_EQ(list.CurrentPosition(), 1) << "past the last comes the first";
    p.Command(IDM_PLAYLIST_SHUFFLE);
    EXPECT_TRUE(p.CheckedInBoth(IDM_PLAYLIST_SHUFFLE));
    EXPECT_EQ(p.Settings().PlaylistShuffle, 1);
    for (int i = 0; i < 3; ++i) {
      const int before = list.CurrentPosition();
      p.Command(IDM_PLAYLIST_NAECHSTERTITEL);
      EXPECT_NE(list.CurrentPosition(), before) << "shuffle never repeats the current entry";
    }
    p.Command(IDM_PLAYLIST_SHUFFLE);
    EXPECT_TRUE(p.UncheckedInBoth(IDM_PLAYLIST_SHUFFLE));
    p.Command(IDM_PLAYLIST_ERSTERTITEL);
    EXPECT_EQ(list.CurrentPosition(), 1);
  });
}

TEST(Transport, DraggingSeeksOnlyOnceTheThumbRests) {
  RunPlayer([](ScriptedPlayer& p) {
    ASSERT_TRUE(p.Opened(L"demo.mkv"));
    const LPARAM bar = reinterpret_cast<LPARAM>(p.PositionBar().hwnd());
    p.PositionBar().SetPos(500);
    SendMessageW(p.hwnd(), WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, 500), bar);
    EXPECT_TRUE(WaitFor([&] { return p.MediaState() == kStatePaused; }, 3000));
    const int before = p.Position();
    EXPECT_LT(before, 200);
    // The thumb keeps moving: no seek while it does.
    for (int step = 0; step < 3; ++step) {
      WaitFor([] { return false; }, 200);
      p.PositionBar().SetPos(510 + step * 10);
      SendMessageW(p.hwnd(), WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, 510 + step * 10), bar);
    }
    EXPECT_EQ(p.Position(), before);
    // At rest for half a second: the clock timer seeks.
    EXPECT_TRUE(WaitFor([&] { return std::abs(p.Position() - 530) <= 4; }, 3000));
    EXPECT_EQ(p.StatusText(0), L"00:00:05");
    // The end of the drag seeks and restores playing.
    p.PositionBar().SetPos(700);
    SendMessageW(p.hwnd(), WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 700), bar);
    EXPECT_NEAR(p.Position(), 700, 4);
    EXPECT_TRUE(WaitFor([&] { return p.MediaState() == kStateRunning; }, 3000));
    EXPECT_EQ(p.GetPlayState(), kPlayPlaying);
    // The renderer's measured rate (Wine's stays 0.00 until it has one).
    const std::wstring frameRate = p.StatusText(6);
    EXPECT_TRUE(frameRate.size() > 4 && frameRate.compare(frameRate.size() - 4, 4, L" fps") == 0 &&
                frameRate[frameRate.size() - 7] == L'.')
        << frameRate.c_str();
  });
}

namespace {
bool ScreenSaverActive() {
  BOOL active = FALSE;
  SystemParametersInfoW(SPI_GETSCREENSAVEACTIVE, 0, &active, 0);
  return active != FALSE;
}
bool LowPowerActive() {
  BOOL active = FALSE;
  SystemParametersInfoW(SPI_GETLOWPOWERACTIVE, 0, &active, 0);
  return active != FALSE;
}
}  // namespace

// Without the association service (as here) playing a video switches the
// screen saver and the monitor's low-power mode off; pausing, stopping and
// closing give them back.
TEST(Transport, PlayingAVideoKeepsTheScreenOnUntilPauseStopOrClose) {
  SystemParametersInfoW(SPI_SETSCREENSAVEACTIVE, TRUE, nullptr, 0);
  SystemParametersInfoW(SPI_SETLOWPOWERACTIVE, TRUE, nullptr, 0);
  if (!ScreenSaverActive()) GTEST_SKIP() << "the platform keeps no screen-saver switch";
  const bool lowPowerKept = LowPowerActive();
  RunPlayer([&](ScriptedPlayer& p) {
    ASSERT_TRUE(p.Opened(L"demo.mkv"));
    EXPECT_FALSE(ScreenSaverActive());
    if (lowPowerKept) EXPECT_FALSE(LowPowerActive());
    p.Pause();
    EXPECT_TRUE(ScreenSaverActive());
    if (lowPowerKept) EXPECT_TRUE(LowPowerActive());
    p.Play();
    EXPECT_FALSE(ScreenSaverActive());
    p.Command(IDM_WIEDERGABE_STOPP);
    EXPECT_TRUE(ScreenSaverActive());
    p.Play();
    EXPECT_FALSE(ScreenSaverActive());
    // The script ends with the window closing while the video plays.
  });
  EXPECT_TRUE(ScreenSaverActive());
  if (lowPowerKept) EXPECT_TRUE(LowPowerActive());
}

TEST(Transport, AnAudioOnlyFileLeavesTheScreenSaverAlone) {
  SystemParametersInfoW(SPI_SETSCREENSAVEACTIVE, TRUE, nullptr, 0);
  if (!ScreenSaverActive()) GTEST_SKIP() << "the platform keeps no screen-saver switch";
  RunPlayer([](ScriptedPlayer& p) {
    ASSERT_TRUE(p.Opened(L"tone.wav"));
    EXPECT_EQ(p.GetPlayState(), kPlayPlaying);
    EXPECT_TRUE(ScreenSaverActive());
    EXPECT_EQ(p.StatusText(6), L"") << "no frame rate without video";
  });
}
