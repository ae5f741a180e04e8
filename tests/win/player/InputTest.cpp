// Keys and the mouse in the player window, given as real input (SendInput)
// and taken through the window's own pre-filter: every key of the map in the
// idle, playing, paused and fullscreen states, the effects the user sees,
// Ctrl held, the wheels and mouse buttons over the video, and keys that stay
// in a dialog, a menu or the window's own controls.
#include "app/MediaUnits.h"
#include "media/DVD.h"
#include "media/Media.h"
#include "player/KeyMap.h"
#include "playlist/CPlaylist.h"
#include "res/resource.h"
#include "tests/win/player/InputSupport.h"
#include "tests/win/support/TestEnvironment.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <thread>

using namespace zvtest;

namespace {

// Every key of the map that runs a command, with that command.
struct KeyCommand {
  WORD key;
  UINT command;
};
std::vector<KeyCommand> CommandKeys() {
  std::vector<KeyCommand> keys;
  for (WORD key = 1; key <= 0xFE; ++key) {
    const zv::KeyAction action = zv::ActionForKey(key, false, false);
    if (action.kind == zv::KeyActionKind::Command) keys.push_back({key, action.command});
  }
  return keys;
}

std::vector<UINT> Commands(const std::vector<KeyCommand>& keys) {
  std::vector<UINT> commands;
  for (const KeyCommand& k : keys) commands.push_back(k.command);
  return commands;
}

// The keys one after the other, each waited for; the commands that arrived.
std::vector<UINT> PressAll(InputPlayer& player, const std::vector<KeyCommand>& keys) {
  player.keyCommands.clear();
  for (const KeyCommand& k : keys) {
    const size_t before = player.keyCommands.size();
    Press(k.key);
    PumpUntil(player, [&] { return player.keyCommands.size() > before; }, 3000);
  }
  return player.keyCommands;
}

bool TitleEndsWith(InputPlayer& player, const std::wstring& end) {
  const std::wstring title = player.Title();
  return title.size() >= end.size() && title.compare(title.size() - end.size(), end.size(), end) == 0;
}

// The picture of the DVD at a point of its 720 x 576 frame, on the screen.
ULONG CurrentButton(CDVD* dvd) {
  ULONG available = 0, current = 0;
  if (dvd && dvd->DvdInfo()) dvd->DvdInfo()->GetCurrentButton(&available, &current);
  return available ? current : 0;
}

}  // namespace

TEST(Keys, EveryKeyReachesItsCommandWhenIdlePlayingPausedAndInFullscreen) {
  const std::vector<KeyCommand> keys = CommandKeys();
  ASSERT_EQ(keys.size(), 40u);
  std::vector<UINT> idle, playing, paused, fullscreen;
  bool wasFullscreen = false;
  RunInputPlayer([&](InputPlayer& player) {
    ASSERT_TRUE(Focus(player.hwnd()));
    // Only noted: the commands themselves are the menus' and have their own tests.
    player.swallowKeyCommands = true;
    idle = PressAll(player, keys);
    ASSERT_TRUE(player.Opened(L"long.mkv"));
    ASSERT_TRUE(Focus(player.hwnd()));
    player.Play();
    playing = PressAll(player, keys);
    player.Pause();
    paused = PressAll(player, keys);
    player.EnterFullscreen();
    wasFullscreen = player.IsFullscreen();
    // The keys go to the fullscreen video window now.
    Focus(CMedia::VideoWindow());
    fullscreen = PressAll(player, keys);
    player.LeaveFullscreen();
  });
  const std::vector<UINT> expected = Commands(keys);
  EXPECT_EQ(idle, expected);
  EXPECT_EQ(playing, expected);
  EXPECT_EQ(paused, expected);
  EXPECT_TRUE(wasFullscreen);
  EXPECT_EQ(fullscreen, expected);
}

TEST(Keys, SpaceNumFiveAndSDriveThePlayStateTheTitleShows) {
  bool paused = false, playingAgain = false, stopped = false, playingFromStop = false;
  int positionAfterStop = -1;
  RunInputPlayer([&](InputPlayer& player) {
    ASSERT_TRUE(player.Opened(L"long.mkv"));
    ASSERT_TRUE(Focus(player.hwnd()));
    ASSERT_TRUE(TitleEndsWith(player, L" - PLAY"));
    Press(VK_SPACE);
    paused = PumpUntil(player, [&] { return TitleEndsWith(player, L" - PAUSE"); }, 3000);
    Press(VK_NUMPAD5);
    playingAgain = PumpUntil(player, [&] { return TitleEndsWith(player, L" - PLAY"); }, 3000);
    PumpUntil(player, [&] { return player.Position() > 50; }, 5000);
    Press('S');
    stopped = PumpUntil(player, [&] { return TitleEndsWith(player, L" - STOP"); }, 3000);
    positionAfterStop = player.Position();
    Press(VK_SPACE);
    playingFromStop = PumpUntil(player, [&] { return TitleEndsWith(player, L" - PLAY"); }, 3000);
  });
  EXPECT_TRUE(paused);
  EXPECT_TRUE(playingAgain);
  EXPECT_TRUE(stopped);
  EXPECT_EQ(positionAfterStop, 0);
  EXPECT_TRUE(playingFromStop);
}

TEST(Keys, JumpsMarksAndLoopByKeys) {
  int afterX = -1, afterY = -1, afterYAtThree = -1, afterEnd = -1, afterHome = -1;
  bool loopOn = false, loopOff = false;
  RunInputPlayer([&](InputPlayer& player) {
    ASSERT_TRUE(player.Opened(L"long.mkv"));
    player.Pause();
    ASSERT_TRUE(Focus(player.hwnd()));
    Press('X');
    PumpUntil(player, [&] { return player.Position() >= 900; }, 3000);
    afterX = player.Position();
    Press('Y');
    PumpUntil(player, [&] { return player.Position() < 100; }, 3000);
    afterY = player.Position();
    // Back from 3 s on the first entry: to the start, not before it.
    player.CurrentMedia()->SetPosition(300);
    Press('Y');
    PumpUntil(player, [&] { return player.Position() < 100; }, 3000);
    afterYAtThree = player.Position();
    Press(VK_END);
    PumpUntil(player, [&] { return player.Position() > 1000; }, 3000);
    afterEnd = player.Position();
    Press(VK_HOME);
    PumpUntil(player, [&] { return player.Position() < 100; }, 3000);
    afterHome = player.Position();
    Press('L');
    loopOn = PumpUntil(player, [&] { return player.CheckedInBoth(IDM_WIEDERGABE_ENDLOSSCHLEIFE); }, 3000);
    Press('L');
    loopOff = PumpUntil(player, [&] { return player.UncheckedInBoth(IDM_WIEDERGABE_ENDLOSSCHLEIFE); }, 3000);
  });
  EXPECT_NEAR(afterX, 1000, 30);
  EXPECT_LT(afterY, 30);
  EXPECT_LT(afterYAtThree, 30);
  EXPECT_GT(afterEnd, 1400);  // the mark end is the end of the 15 s clip
  EXPECT_LT(afterHome, 30);
  EXPECT_TRUE(loopOn);
  EXPECT_TRUE(loopOff);
}

TEST(Keys, VolumeStepsByTenAndByOneWithCtrlHeld) {
  std::vector<int> percents;
  bool muted = false, fullAgain = false;
  RunInputPlayer([&](InputPlayer& player) {
    ASSERT_TRUE(Focus(player.hwnd()));
    auto percent = [&] { return zv::PercentFromVolume(player.Settings().Volume); };
    auto pressAndNote = [&](WORD key, bool ctrl) {
      const int before = percent();
      if (ctrl) KeyDown(VK_CONTROL);
      Press(key);
      if (ctrl) KeyUp(VK_CONTROL);
      PumpUntil(player, [&] { return percent() != before; }, 3000);
      percents.push_back(percent());
    };
    player.Settings().Volume = 0;
    player.ApplyVolume();
    pressAndNote(VK_SUBTRACT, false);  // 90
    pressAndNote(VK_SUBTRACT, true);   // 89
    pressAndNote(VK_ADD, false);       // 99
    pressAndNote(VK_ADD, true);        // 100
    Press('M');
    muted = PumpUntil(player, [&] { return player.Settings().Volume == zv::kVolumeSilent; }, 3000) &&
            player.CheckedInBoth(IDM_AUDIO_STUMM);
    // Ctrl+M: full volume at once.
    PressWithCtrl('M');
    fullAgain = PumpUntil(player, [&] { return player.Settings().Volume == 0; }, 3000) &&
                player.UncheckedInBoth(IDM_AUDIO_STUMM) && player.VolumeBar().GetPos() == 100;
  });
  EXPECT_EQ(percents, (std::vector<int>{90, 89, 99, 100}));
  EXPECT_TRUE(muted);
  EXPECT_TRUE(fullAgain);
}

TEST(Keys, EscapeLeavesFullscreenAndDoesNothingElseWhere) {
  bool entered = false, left = false, titleKept = false;
  RunInputPlayer([&](InputPlayer& player) {
    ASSERT_TRUE(player.Opened(L"long.mkv"));
    ASSERT_TRUE(Focus(player.hwnd()));
    const std::wstring title = player.Title();
    Press(VK_ESCAPE);
    PumpFor(player, 300);
    titleKept = player.Title() == title && !player.IsFullscreen() && IsWindowVisible(player.hwnd());
    Press('V');
    entered = PumpUntil(player, [&] { return player.IsFullscreen(); }, 3000) &&
              player.CheckedInBoth(IDM_ANSICHT_VOLLBILD);
    Focus(CMedia::VideoWindow());
    Press(VK_ESCAPE);
    left = PumpUntil(player, [&] { return !player.IsFullscreen(); }, 3000) &&
           player.UncheckedInBoth(IDM_ANSICHT_VOLLBILD);
  });
  EXPECT_TRUE(titleKept);
  EXPECT_TRUE(entered);
  EXPECT_TRUE(left);
}

TEST(Keys, CtrlHeldEndsWithItsKeyUpAndWhenTheWindowLosesActivation) {
  bool heldWhileDown = false, clearedByKeyUp = false, clearedByDeactivation = false;
  RunInputPlayer([&](InputPlayer& player) {
    ASSERT_TRUE(Focus(player.hwnd()));
    KeyDown(VK_CONTROL);
    heldWhileDown = PumpUntil(player, [&] { return player.IsControlKeyDown(); }, 3000);
    KeyUp(VK_CONTROL);
    clearedByKeyUp = PumpUntil(player, [&] { return !player.IsControlKeyDown(); }, 3000);
    KeyDown(VK_CONTROL);
    PumpUntil(player, [&] { return player.IsControlKeyDown(); }, 3000);
    // Another window takes the keys; Ctrl goes up there.
    HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                 nullptr, nullptr);
    SetForegroundWindow(other);
    SetActiveWindow(other);
    KeyUp(VK_CONTROL);
    clearedByDeactivation = PumpUntil(player, [&] { return !player.IsControlKeyDown(); }, 3000);
    DestroyWindow(other);
  });
  EXPECT_TRUE(heldWhileDown);
  EXPECT_TRUE(clearedByKeyUp);
  EXPECT_TRUE(clearedByDeactivation);
}

TEST(Keys, KeysInTheWindowsControlsGoToTheWindow) {
  std::vector<UINT> commands;
  int barBefore = -1, barAfter = -2;
  RunInputPlayer([&](InputPlayer& player) {
    ASSERT_TRUE(player.Opened(L"long.mkv"));
    player.Pause();
    player.swallowKeyCommands = true;
    ASSERT_TRUE(Focus(player.hwnd()));
    SetFocus(player.PositionBar().hwnd());
    barBefore = player.PositionBar().GetPos();
    player.keyCommands.clear();
    Press(VK_RIGHT);
    Press(VK_SPACE);
    PumpUntil(player, [&] { return player.keyCommands.size() >= 2; }, 3000);
    commands = player.keyCommands;
    barAfter = player.PositionBar().GetPos();
  });
  EXPECT_EQ(commands, (std::vector<UINT>{IDM_VIDEO_VERGROESSERN_LINKSRECHTS, IDM_WIEDERGABE_WIEDERGABE_PAUSE}));
  // The track bar's own arrow key handling never saw the key.
  EXPECT_EQ(barAfter, barBefore);
}

// The settings dialog's keys stay its own: Space and Down work in its tree,
// Escape closes it, and the player sees none of them.
TEST(Keys, ADialogKeepsItsKeysAndThePlayerGetsNone) {
  std::wstring pageBefore, pageAfter;
  bool dialogClosed = false;
  std::vector<UINT> commands;
  std::wstring title;
  RunInputPlayer([&](InputPlayer& player) {
    ASSERT_TRUE(player.Opened(L"long.mkv"));
    ASSERT_TRUE(Focus(player.hwnd()));
    title = player.Title();
    player.keyCommands.clear();
    WindowWatcher watcher(L"#32770", 15000, [&](HWND dialog) {
      SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDC_TREE_SETTINGS)), TRUE);
      Sleep(300);
      pageBefore = ItemText(dialog, IDC_TXT_CATEGORY);
      Press(VK_SPACE);
      Press(VK_DOWN);
      for (int i = 0; i < 100 && ItemText(dialog, IDC_TXT_CATEGORY) == pageBefore; ++i) Sleep(30);
      pageAfter = ItemText(dialog, IDC_TXT_CATEGORY);
      Press(VK_ESCAPE);
      for (int i = 0; i < 200 && IsWindow(dialog); ++i) Sleep(30);
      dialogClosed = !IsWindow(dialog);
    }, player.hwnd());
    SendMessageW(player.hwnd(), WM_COMMAND, IDM_DATEI_EINSTELLUNGEN, 0);
    watcher.Finish();
    PumpFor(player, 300);
    commands = player.keyCommands;
  });
  EXPECT_FALSE(pageBefore.empty());
  EXPECT_NE(pageAfter, pageBefore);
  EXPECT_TRUE(dialogClosed);
  EXPECT_TRUE(commands.empty());
  EXPECT_TRUE(title.find(L" - PLAY") != std::wstring::npos);
}

TEST(Keys, AnOpenMenuKeepsTheKeys) {
  bool menuShown = false;
  std::vector<UINT> commands;
  RunInputPlayer([&](InputPlayer& player) {
    ASSERT_TRUE(player.Opened(L"long.mkv"));
    ASSERT_TRUE(Focus(player.hwnd()));
    player.keyCommands.clear();
    WindowWatcher watcher(L"#32768", 10000, [&](HWND) {
      menuShown = true;
      // Keys of the player's map that the menu does not use itself (Space
      // with no item selected ends a menu under Wine, and letters may be
      // mnemonics), and an arrow that the menu does use.
      Press(VK_F7);
      Press(VK_F8);
      Press(VK_DOWN);
      Sleep(200);
      Press(VK_ESCAPE);
    });
    Press(VK_APPS);
    PumpUntil(player, [&] { return menuShown; }, 10000);
    watcher.Finish();
    PumpFor(player, 300);
    commands = player.keyCommands;
  });
  EXPECT_TRUE(menuShown);
  EXPECT_TRUE(commands.empty()) << "first command that leaked: " << (commands.empty() ? 0 : commands.front());
}

TEST(Mouse, RightButtonShowsTheContextMenuUpAndLeftOfTheCursor) {
  RECT menu{};
  POINT cursor{};
  RunInputPlayer([&](InputPlayer& player) {
    ASSERT_TRUE(player.Opened(L"long.mkv"));
    ASSERT_TRUE(Focus(player.hwnd()));
    cursor = CenterOf(CMedia::VideoWindow());
    MoveMouseTo(cursor);
    PumpFor(player, 100);
    WindowWatcher watcher(L"#32768", 10000, [&](HWND found) {
      Sleep(200);
      GetWindowRect(found, &menu);
      Press(VK_ESCAPE);
    });
    MouseButton(MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    PumpUntil(player, [&] { return menu.right > 0; }, 10000);
    watcher.Finish();
  });
  EXPECT_NEAR(menu.left, cursor.x - 8, 2);
  EXPECT_NEAR(menu.top, cursor.y - 8, 2);
}

TEST(Mouse, WheelJumpsAndHorizontalWheelGoesThroughThePlaylist) {
  int afterForward = -1, afterBack = -1, afterQuarters = -1;
  int entryAfterRight = 0, entryAfterLeft = 0;
  RunInputPlayer([&](InputPlayer& player) {
    player.CreatePlaylistMultiple({MediaPath(L"long.mkv"), MediaPath(L"v.mkv")});
    ASSERT_NE(player.CurrentMedia(), nullptr);
    player.Pause();
    ASSERT_TRUE(Focus(player.hwnd()));
    MoveMouseTo(CenterOf(CMedia::VideoWindow()));
    Wheel(WHEEL_DELTA);
    PumpUntil(player, [&] { return player.Position() >= 900; }, 3000);
    afterForward = player.Position();
    Wheel(-WHEEL_DELTA);
    PumpUntil(player, [&] { return player.Position() < 100; }, 3000);
    afterBack = player.Position();
    // Quarter notches of a fine wheel add up to one jump.
    for (int i = 0; i < 4; ++i) Wheel(WHEEL_DELTA / 4);
    PumpUntil(player, [&] { return player.Position() >= 900; }, 3000);
    afterQuarters = player.Position();
    Wheel(WHEEL_DELTA, true);
    PumpUntil(player, [&] { return player.Playlist().CurrentPosition() == 2; }, 10000);
    entryAfterRight = player.Playlist().CurrentPosition();
    Wheel(-WHEEL_DELTA, true);
    PumpUntil(player, [&] { return player.Playlist().CurrentPosition() == 1; }, 10000);
    entryAfterLeft = player.Playlist().CurrentPosition();
  });
  EXPECT_NEAR(afterForward, 1000, 30);
  EXPECT_LT(afterBack, 30);
  EXPECT_NEAR(afterQuarters, 1000, 30);
  EXPECT_EQ(entryAfterRight, 2);
  EXPECT_EQ(entryAfterLeft, 1);
}

TEST(Mouse, MiddleButtonPlaysAndPausesAndExtraButtonsSetTheVolume) {
  bool paused = false, playing = false;
  int afterBack = -1, afterForward = -1;
  RunInputPlayer([&](InputPlayer& player) {
    ASSERT_TRUE(player.Opened(L"long.mkv"));
    ASSERT_TRUE(Focus(player.hwnd()));
    MoveMouseTo(CenterOf(CMedia::VideoWindow()));
    PumpFor(player, 100);
    MouseButton(MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP);
    paused = PumpUntil(player, [&] { return TitleEndsWith(player, L" - PAUSE"); }, 3000);
    MouseButton(MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP);
    playing = PumpUntil(player, [&] { return TitleEndsWith(player, L" - PLAY"); }, 3000);
    player.Settings().Volume = 0;
    player.ApplyVolume();
    auto percent = [&] { return zv::PercentFromVolume(player.Settings().Volume); };
    MouseButton(MOUSEEVENTF_XDOWN, MOUSEEVENTF_XUP, XBUTTON1);
    PumpUntil(player, [&] { return percent() != 100; }, 3000);
    afterBack = percent();
    MouseButton(MOUSEEVENTF_XDOWN, MOUSEEVENTF_XUP, XBUTTON2);
    PumpUntil(player, [&] { return percent() != 90; }, 3000);
    afterForward = percent();
  });
  EXPECT_TRUE(paused);
  EXPECT_TRUE(playing);
  EXPECT_EQ(afterBack, 90);
  EXPECT_EQ(afterForward, 100);
}

TEST(Mouse, ClicksSwitchFullscreenAndADragMovesTheWindow) {
  bool entered = false, left = false, doubleClickBack = false;
  RECT before{}, after{};
  RunInputPlayer([&](InputPlayer& player) {
    ASSERT_TRUE(player.Opened(L"long.mkv"));
    player.Pause();
    ASSERT_TRUE(Focus(player.hwnd()));
    MoveMouseTo(CenterOf(CMedia::VideoWindow()));
    PumpFor(player, 100);
    MouseButton(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    entered = PumpUntil(player, [&] { return player.IsFullscreen(); }, 3000);
    PumpFor(player, 300);
    MoveMouseTo(CenterOf(CMedia::VideoWindow()));
    PumpFor(player, 100);
    MouseButton(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    left = PumpUntil(player, [&] { return !player.IsFullscreen(); }, 3000);
    PumpFor(player, 300);
    // A double click is two clicks: fullscreen and back.
    MoveMouseTo(CenterOf(CMedia::VideoWindow()));
    PumpFor(player, 100);
    MouseButton(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    MouseButton(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    PumpFor(player, 800);
    doubleClickBack = !player.IsFullscreen();
    // Drag: press, move 60 pixels right and 42 down, release. The hand is
    // a thread of its own: moving the window runs a loop of its own on this
    // thread until the button goes up.
    GetWindowRect(player.hwnd(), &before);
    const POINT start = CenterOf(CMedia::VideoWindow());
    MoveMouseTo(start);
    PumpFor(player, 100);
    std::atomic<bool> released{false};
    std::thread hand([&] {
      INPUT down{};
      down.type = INPUT_MOUSE;
      down.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
      SendInput(1, &down, sizeof(down));
      Sleep(150);
      for (int step = 1; step <= 6; ++step) {
        MoveMouseTo(POINT{start.x + 10 * step, start.y + 7 * step});
        Sleep(60);
      }
      INPUT up{};
      up.type = INPUT_MOUSE;
      up.mi.dwFlags = MOUSEEVENTF_LEFTUP;
      SendInput(1, &up, sizeof(up));
      released = true;
    });
    PumpUntil(player, [&] { return released.load(); }, 10000);
    hand.join();
    PumpUntil(player, [&] {
      GetWindowRect(player.hwnd(), &after);
      return after.left != before.left;
    }, 3000);
    PumpFor(player, 200);
    GetWindowRect(player.hwnd(), &after);
  });
  EXPECT_TRUE(entered);
  EXPECT_TRUE(left);
  EXPECT_TRUE(doubleClickBack);
  EXPECT_NEAR(after.left - before.left, 60, 12);
  EXPECT_NEAR(after.top - before.top, 42, 12);
}

TEST(Mouse, AClickWithNothingToShowOpensTheFileDialog) {
  bool dialogShown = false;
  RunInputPlayer([&](InputPlayer& player) {
    ASSERT_TRUE(Focus(player.hwnd()));
    RECT area = player.VideoAreaRect();
    POINT middle{(area.left + area.right) / 2, (area.top + area.bottom) / 2};
    ClientToScreen(player.hwnd(), &middle);
    MoveMouseTo(middle);
    PumpFor(player, 100);
    WindowWatcher watcher(L"#32770", 10000, [&](HWND dialog) {
      dialogShown = true;
      Sleep(300);
      CancelDialog(dialog);
    }, player.hwnd());
    MouseButton(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    PumpUntil(player, [&] { return dialogShown; }, 10000);
    watcher.Finish();
    PumpFor(player, 200);
  });
  EXPECT_TRUE(dialogShown);
}

// Ctrl and the arrows move the selection of a DVD menu (and never zoom), the
// plain arrows zoom again once Ctrl is up, Enter plays the selected title.
TEST(Keys, CtrlArrowsAndEnterOperateADvdMenu) {
  ULONG afterDown = 0, afterUp = 0, afterPlainDown = 0;
  std::vector<UINT> plainCommands;
  bool secondTitle = false;
  RunInputPlayer([&](InputPlayer& player) {
    SetCursorPos(0, 0);  // no button under a resting cursor
    player.OpenDiscOrFolder(MediaPath(L"dvd\\disc"));
    ASSERT_NE(player.DvdMedia(), nullptr);
    ASSERT_TRUE(PumpUntil(player, [&] { return CurrentButton(player.DvdMedia()) == 1; }, 20000));
    ASSERT_TRUE(Focus(player.hwnd()));
    player.keyCommands.clear();
    KeyDown(VK_CONTROL);
    Press(VK_DOWN);
    PumpUntil(player, [&] { return CurrentButton(player.DvdMedia()) == 2; }, 5000);
    afterDown = CurrentButton(player.DvdMedia());
    Press(VK_UP);
    PumpUntil(player, [&] { return CurrentButton(player.DvdMedia()) == 1; }, 5000);
    afterUp = CurrentButton(player.DvdMedia());
    KeyUp(VK_CONTROL);
    player.swallowKeyCommands = true;
    Press(VK_DOWN);
    PumpUntil(player, [&] { return !player.keyCommands.empty(); }, 3000);
    PumpFor(player, 300);
    afterPlainDown = CurrentButton(player.DvdMedia());
    plainCommands = player.keyCommands;
    player.swallowKeyCommands = false;
    KeyDown(VK_CONTROL);
    Press(VK_DOWN);
    KeyUp(VK_CONTROL);
    PumpUntil(player, [&] { return CurrentButton(player.DvdMedia()) == 2; }, 5000);
    Press(VK_RETURN);
    secondTitle = PumpUntil(player, [&] {
      DVD_DOMAIN domain = DVD_DOMAIN_Stop;
      DVD_PLAYBACK_LOCATION2 location{};
      player.DvdMedia()->DvdInfo()->GetCurrentDomain(&domain);
      player.DvdMedia()->DvdInfo()->GetCurrentLocation(&location);
      return domain == DVD_DOMAIN_Title && location.TitleNum == 2;
    }, 20000);
  });
  EXPECT_EQ(afterDown, 2u);
  EXPECT_EQ(afterUp, 1u);
  EXPECT_EQ(afterPlainDown, 1u);
  EXPECT_EQ(plainCommands, (std::vector<UINT>{IDM_VIDEO_VERKLEINERN_OBENUNTEN}));
  EXPECT_TRUE(secondTitle);
}

// A cursor resting over the menu picture does not take the selection back
// from the keys: windows that move or repaint under it are no mouse movement.
TEST(Keys, CtrlArrowsMoveTheDvdSelectionUnderARestingCursor) {
  ULONG afterDown = 0, later = 0;
  RunInputPlayer([&](InputPlayer& player) {
    player.OpenDiscOrFolder(MediaPath(L"dvd\\disc"));
    ASSERT_NE(player.DvdMedia(), nullptr);
    ASSERT_TRUE(PumpUntil(player, [&] { return CurrentButton(player.DvdMedia()) != 0; }, 20000));
    ASSERT_TRUE(Focus(player.hwnd()));
    MoveMouseTo(CenterOf(CMedia::VideoWindow()));
    PumpFor(player, 500);
    const ULONG before = CurrentButton(player.DvdMedia());
    const DWORD direction = before == 1 ? VK_DOWN : VK_UP;
    KeyDown(VK_CONTROL);
    Press(static_cast<WORD>(direction));
    KeyUp(VK_CONTROL);
    PumpUntil(player, [&] { return CurrentButton(player.DvdMedia()) != before; }, 5000);
    afterDown = CurrentButton(player.DvdMedia()) != before ? 1 : 0;
    PumpFor(player, 1500);
    later = CurrentButton(player.DvdMedia()) != before ? 1 : 0;
  });
  EXPECT_EQ(afterDown, 1u) << "the keys did not move the selection";
  EXPECT_EQ(later, 1u) << "the resting cursor took the selection back";
}
