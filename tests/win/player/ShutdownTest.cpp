// Shutdown after playback and the playback delay: the two countdown dialogs
// (text, timing, button, translation), the switch in both menus and on the
// toolbar, the countdown at the end of the playlist with the shutdown
// request recorded instead of made, Ctrl+play waiting for the delay, and the
// shortcuts page.
#include "app/Settings.h"
#include "lang/LanguageResources.h"
#include "media/Media.h"
#include "player/PlaybackDelayDialog.h"
#include "player/ShutdownDialog.h"
#include "player/ToolBarButtons.h"
#include "res/resource.h"
#include "settings/SettingsShortcuts.h"
#include "tests/win/player/InputSupport.h"
#include "tests/win/support/TestEnvironment.h"

#include <commctrl.h>
#include <gtest/gtest.h>

using namespace zvtest;

namespace {

LanguageTable& German() {
  static LanguageTable table;
  static const bool loaded =
      zv::LoadNameTableResource(table) && zv::LoadBuiltInLanguage(table, IDR_LNG_GERMAN) == S_OK;
  EXPECT_TRUE(loaded);
  return table;
}

std::wstring Caption(HWND window) {
  wchar_t text[128] = {};
  GetWindowTextW(window, text, 128);
  return text;
}

// The texts a countdown dialog shows while it runs, and how long it ran.
struct CountdownRun {
  INT_PTR result = -2;
  std::wstring caption, label, button;
  std::vector<std::wstring> countdowns;  // each new text of the countdown
  ULONGLONG milliseconds = 0;
};

CountdownRun RunCountdown(CCountdownDialog& dialog, int labelId, bool pressButtonAfterFirst) {
  CountdownRun run;
  std::atomic<bool> running{true};
  std::thread watcher([&] {
    HWND window = nullptr;
    while (running && !(window = FindOwnWindow(L"#32770"))) Sleep(5);
    if (!window) return;
    run.caption = Caption(window);
    run.label = ItemText(window, labelId);
    run.button = ItemText(window, IDC_BUTTON_ABBRECHEN);
    while (running && IsWindow(window)) {
      const std::wstring text = ItemText(window, IDC_COUNTDOWN);
      if (!text.empty() && (run.countdowns.empty() || run.countdowns.back() != text)) {
        run.countdowns.push_back(text);
        if (pressButtonAfterFirst) {
          // A real click on the button.
          MoveMouseTo(CenterOf(GetDlgItem(window, IDC_BUTTON_ABBRECHEN)));
          Sleep(50);
          MouseButton(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
          pressButtonAfterFirst = false;
        }
      }
      Sleep(5);
    }
  });
  const ULONGLONG start = GetTickCount64();
  run.result = dialog.DoModal();
  run.milliseconds = GetTickCount64() - start;
  running = false;
  watcher.join();
  return run;
}

}  // namespace

TEST(Countdown, DelayCountsDownEachSecondAndEndsWithOkWhenTheTimeIsUp) {
  CPlaybackDelayDialog dialog(&English(), 2, nullptr);
  const CountdownRun run = RunCountdown(dialog, IDC_TXT_PLAYBACK_IN, false);
  EXPECT_EQ(run.result, IDOK);
  EXPECT_EQ(run.caption, L"Playback Delay");
  EXPECT_EQ(run.label, L"Playback in...");
  EXPECT_EQ(run.button, L"&Start");
  EXPECT_EQ(run.countdowns, (std::vector<std::wstring>{L"2 Seconds", L"1 Seconds"}));
  // Two whole seconds, give or take the timer.
  EXPECT_GE(run.milliseconds, 1900u);
  EXPECT_LT(run.milliseconds, 8000u);
}

TEST(Countdown, OneSecondShowsTheNumberOneWithThePluralWord) {
  CPlaybackDelayDialog dialog(&English(), 1, nullptr);
  const CountdownRun run = RunCountdown(dialog, IDC_TXT_PLAYBACK_IN, false);
  EXPECT_EQ(run.result, IDOK);
  EXPECT_EQ(run.countdowns, (std::vector<std::wstring>{L"1 Seconds"}));
  EXPECT_GE(run.milliseconds, 900u);
}

TEST(Countdown, TheButtonEndsItWithCancelAtOnce) {
  CPlaybackDelayDialog dialog(&English(), 30, nullptr);
  const CountdownRun run = RunCountdown(dialog, IDC_TXT_PLAYBACK_IN, true);
  EXPECT_EQ(run.result, IDCANCEL);
  EXPECT_EQ(run.countdowns.front(), L"30 Seconds");
  EXPECT_LT(run.milliseconds, 10000u);
}

TEST(Countdown, ShutdownStartsAtFifteenAndSpeaksTheLanguage) {
  CShutdownDialog english(&English(), nullptr);
  const CountdownRun inEnglish = RunCountdown(english, IDC_TXT_AUTOSHUTDOWN, true);
  EXPECT_EQ(inEnglish.result, IDCANCEL);
  EXPECT_EQ(inEnglish.caption, L"Shutdown");
  EXPECT_EQ(inEnglish.label, L"Automatic Shutdown In...");
  EXPECT_EQ(inEnglish.button, L"&Cancel");
  EXPECT_EQ(inEnglish.countdowns.front(), L"15 Seconds");

  CShutdownDialog german(&German(), nullptr);
  const CountdownRun inGerman = RunCountdown(german, IDC_TXT_AUTOSHUTDOWN, true);
  EXPECT_EQ(inGerman.caption, L"Herunterfahren");
  EXPECT_EQ(inGerman.label, L"Automatischer Shutdown in...");
  EXPECT_EQ(inGerman.button, L"&Abbrechen");
  EXPECT_EQ(inGerman.countdowns.front(), L"15 Sekunden");

  CPlaybackDelayDialog delay(&German(), 3, nullptr);
  const CountdownRun delayInGerman = RunCountdown(delay, IDC_TXT_PLAYBACK_IN, true);
  EXPECT_EQ(delayInGerman.label, L"Wiedergabe in...");
  EXPECT_EQ(delayInGerman.countdowns.front(), L"3 Sekunden");
}

TEST(ShutdownSwitch, CtrlSTheMenuItemAndTheButtonKeepBothMenusAndTheButtonInStep) {
  const CToolBarButtons table = CToolBarButtons::BuiltIn();
  bool offAtStart = false, onByKey = false, offByMenu = false, onByButton = false;
  int pictureOn = -1, pictureOff = -1;
  std::wstring tooltipOff, tooltipOn, tooltipOffAgain;
  RunInputPlayer([&](InputPlayer& player) {
    offAtStart = player.UncheckedInBoth(IDM_WIEDERGABE_SHUTDOWN);
    tooltipOff = player.ToolBar().ButtonTooltip(IDTBB_SHUTDOWN);
    ASSERT_TRUE(Focus(player.hwnd()));
    PressWithCtrl('S');
    onByKey = PumpUntil(player, [&] { return player.CheckedInBoth(IDM_WIEDERGABE_SHUTDOWN); }, 3000);
    pictureOn = player.ToolBar().ButtonImage(IDTBB_SHUTDOWN);
    tooltipOn = player.ToolBar().ButtonTooltip(IDTBB_SHUTDOWN);
    SendMessageW(player.hwnd(), WM_COMMAND, IDM_WIEDERGABE_SHUTDOWN, 0);
    offByMenu = player.UncheckedInBoth(IDM_WIEDERGABE_SHUTDOWN);
    pictureOff = player.ToolBar().ButtonImage(IDTBB_SHUTDOWN);
    tooltipOffAgain = player.ToolBar().ButtonTooltip(IDTBB_SHUTDOWN);
    SendMessageW(player.hwnd(), WM_COMMAND, IDTBB_SHUTDOWN, 0);
    onByButton = player.CheckedInBoth(IDM_WIEDERGABE_SHUTDOWN);
  });
  EXPECT_TRUE(offAtStart);
  EXPECT_TRUE(onByKey);
  EXPECT_EQ(pictureOn, table.ImageIndexOf(u"Shutdown"));
  EXPECT_NE(tooltipOn, tooltipOff);
  EXPECT_TRUE(offByMenu);
  EXPECT_EQ(pictureOff, table.ImageIndexOf(u"NoShutdown"));
  EXPECT_EQ(tooltipOffAgain, tooltipOff);
  EXPECT_TRUE(onByButton);
}

TEST(ShutdownAfterPlayback, CancellingTheCountdownLeavesTheComputerAndTheSwitchAlone) {
  RecordingShutdown recorder;
  std::wstring countdown;
  bool shown = false, stillChecked = false;
  RunInputPlayer([&](InputPlayer& player) {
    SendMessageW(player.hwnd(), WM_COMMAND, IDM_WIEDERGABE_SHUTDOWN, 0);
    WindowWatcher watcher(L"#32770", 20000, [&](HWND dialog) {
      shown = true;
      Sleep(300);
      countdown = ItemText(dialog, IDC_COUNTDOWN);
      PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_BUTTON_ABBRECHEN, BN_CLICKED),
                   reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_BUTTON_ABBRECHEN)));
    }, player.hwnd());
    ASSERT_TRUE(player.Opened(L"v.mkv"));
    PumpUntil(player, [&] { return watcher.Seen() && !IsWindow(watcher.Seen()); }, 20000);
    watcher.Finish();
    PumpFor(player, 300);
    stillChecked = player.CheckedInBoth(IDM_WIEDERGABE_SHUTDOWN);
  });
  EXPECT_TRUE(shown);
  EXPECT_EQ(countdown, L"15 Seconds");
  EXPECT_EQ(recorder.calls, 0);
  EXPECT_TRUE(stillChecked);
}

TEST(ShutdownAfterPlayback, ACountdownThatRunsOutAsksForTheShutdownOnce) {
  RecordingShutdown recorder;
  ULONGLONG shownAt = 0, goneAt = 0;
  int callsWhileShown = -1;
  RunInputPlayer([&](InputPlayer& player) {
    SendMessageW(player.hwnd(), WM_COMMAND, IDM_WIEDERGABE_SHUTDOWN, 0);
    WindowWatcher watcher(L"#32770", 20000, [&](HWND dialog) {
      shownAt = GetTickCount64();
      callsWhileShown = recorder.calls;
      while (IsWindow(dialog)) Sleep(10);
      goneAt = GetTickCount64();
    }, player.hwnd());
    ASSERT_TRUE(player.Opened(L"v.mkv"));
    PumpUntil(player, [&] { return recorder.calls > 0; }, 40000);
    watcher.Finish();
    PumpFor(player, 300);
  });
  EXPECT_EQ(callsWhileShown, 0);
  EXPECT_EQ(recorder.calls, 1);
  EXPECT_GE(goneAt - shownAt, 14500u);
}

TEST(PlaybackDelay, CtrlPlayWaitsForTheCountdownAndPlainPlayDoesNot) {
  std::wstring shownText;
  bool playingAfter = false, waited = false, noDialogWithoutCtrl = true, noDialogWithZero = true;
  CSettings settings(0);
  settings.ResetFileTypes();
  settings.PlaybackDelay = 1;
  settings.StartMediaAutomatically = 0;
  RunInputPlayer([&](InputPlayer& player) {
    ASSERT_TRUE(player.Opened(L"long.mkv"));
    ASSERT_TRUE(Focus(player.hwnd()));
    {
      ULONGLONG shownAt = 0;
      WindowWatcher watcher(L"#32770", 10000, [&](HWND dialog) {
        shownAt = GetTickCount64();
        shownText = ItemText(dialog, IDC_COUNTDOWN);
      }, player.hwnd());
      const ULONGLONG start = GetTickCount64();
      PressWithCtrl(VK_SPACE);
      playingAfter = PumpUntil(player, [&] {
        long state = -1;
        player.CurrentMedia()->GetState(&state);
        return state == kStateRunning && watcher.Seen() && !IsWindow(watcher.Seen());
      }, 10000);
      watcher.Finish();
      waited = shownAt > 0 && GetTickCount64() - start >= 900;
    }
    // Without Ctrl, and with a delay of 0, play starts at once.
    player.Pause();
    Press(VK_SPACE);
    PumpUntil(player, [&] { return player.Title().find(L" - PLAY") != std::wstring::npos; }, 3000);
    PumpFor(player, 300);
    if (FindOwnWindow(L"#32770", player.hwnd())) noDialogWithoutCtrl = false;
    player.Pause();
    player.Settings().PlaybackDelay = 0;
    PressWithCtrl(VK_SPACE);
    PumpUntil(player, [&] { return player.Title().find(L" - PLAY") != std::wstring::npos; }, 3000);
    PumpFor(player, 300);
    if (FindOwnWindow(L"#32770", player.hwnd())) noDialogWithZero = false;
  }, &settings);
  EXPECT_EQ(shownText, L"1 Seconds");
  EXPECT_TRUE(playingAfter);
  EXPECT_TRUE(waited);
  EXPECT_TRUE(noDialogWithoutCtrl);
  EXPECT_TRUE(noDialogWithZero);
}

TEST(PlaybackDelay, StartPlaysAtOnce) {
  ULONGLONG pressedAt = 0, playingAt = 0;
  CSettings settings(0);
  settings.ResetFileTypes();
  settings.PlaybackDelay = 30;
  settings.StartMediaAutomatically = 0;
  RunInputPlayer([&](InputPlayer& player) {
    ASSERT_TRUE(player.Opened(L"long.mkv"));
    ASSERT_TRUE(Focus(player.hwnd()));
    WindowWatcher watcher(L"#32770", 10000, [&](HWND dialog) {
      Sleep(500);
      MoveMouseTo(CenterOf(GetDlgItem(dialog, IDC_BUTTON_ABBRECHEN)));
      Sleep(50);
      pressedAt = GetTickCount64();
      MouseButton(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    }, player.hwnd());
    PressWithCtrl(VK_SPACE);
    PumpUntil(player, [&] {
      long state = -1;
      player.CurrentMedia()->GetState(&state);
      return pressedAt && state == kStateRunning;
    }, 20000);
    playingAt = GetTickCount64();
    watcher.Finish();
  }, &settings);
  ASSERT_GT(pressedAt, 0u);
  EXPECT_LT(playingAt - pressedAt, 5000u);
}

TEST(ShortcutsPage, ShowsFourColumnsAndTwoRows) {
  HWND host = CreateWindowExW(WS_EX_CONTROLPARENT, L"#32770", L"host", WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, 0,
                              420, 460, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(host);
  CSettings settings(0);
  CSettingsShortcuts page(&English(), &settings, host);
  ASSERT_TRUE(page.CreateModeless());
  ShowWindow(page.hwnd(), SW_SHOW);
  HWND list = page.Item(IDC_LIST_SHORTCUTS);
  ASSERT_TRUE(list);
  HWND header = ListView_GetHeader(list);
  ASSERT_EQ(Header_GetItemCount(header), 4);
  const wchar_t* titles[] = {L"Function", L"Key", L"WinLIRC", L"Girder"};
  const int widths[] = {110, 50, 70, 70};
  for (int i = 0; i < 4; ++i) {
    wchar_t text[64] = {};
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = text;
    column.cchTextMax = 64;
    ASSERT_TRUE(ListView_GetColumn(list, i, &column));
    EXPECT_STREQ(text, titles[i]);
    EXPECT_EQ(column.cx, widths[i]);
  }
  ASSERT_EQ(ListView_GetItemCount(list), 2);
  wchar_t first[64] = {}, second[64] = {}, key[64] = {L'x'};
  ListView_GetItemText(list, 0, 0, first, 64);
  ListView_GetItemText(list, 1, 0, second, 64);
  ListView_GetItemText(list, 0, 1, key, 64);
  EXPECT_STREQ(first, L"Play/Pause");
  EXPECT_STREQ(second, L"Pos1");
  EXPECT_STREQ(key, L"");
  const DWORD extended = ListView_GetExtendedListViewStyle(list);
  EXPECT_TRUE(extended & LVS_EX_GRIDLINES);
  EXPECT_TRUE(extended & LVS_EX_FULLROWSELECT);
  EXPECT_EQ(GetWindowLongW(list, GWL_STYLE) & LVS_TYPEMASK, LVS_REPORT);
  DestroyWindow(page.hwnd());
  DestroyWindow(host);
}
