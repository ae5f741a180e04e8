// DVDs in the player window: a dropped folder opens the DVD, the title
// names the folder, the navigation commands follow the permitted
// operations, the menu buttons are operated, and the chapter toolbar button
// goes by chapters (pictures of the window are saved for looking at).
#include "app/ProductName.h"
#include "media/DVD.h"
#include "res/resource.h"
#include "tests/win/media/MediaTestSupport.h"
#include "tests/win/player/OpeningSupport.h"
#include "tests/win/support/ScreenCapture.h"

#include <gtest/gtest.h>

using zvtest::RunPlayer;
using zvtest::ScriptedPlayer;

namespace {

std::wstring DiscFolder() { return zvtest::MediaPath(L"dvd\\disc"); }

DVD_DOMAIN Domain(CDVD* dvd) {
  DVD_DOMAIN domain = DVD_DOMAIN_Stop;
  if (dvd && dvd->DvdInfo()) dvd->DvdInfo()->GetCurrentDomain(&domain);
  return domain;
}

DVD_PLAYBACK_LOCATION2 Location(CDVD* dvd) {
  DVD_PLAYBACK_LOCATION2 location{};
  if (dvd && dvd->DvdInfo()) dvd->DvdInfo()->GetCurrentLocation(&location);
  return location;
}

ULONG CurrentButton(CDVD* dvd) {
  ULONG available = 0, current = 0;
  if (dvd && dvd->DvdInfo()) dvd->DvdInfo()->GetCurrentButton(&available, &current);
  return available ? current : 0;
}

// Screen point of a point of the DVD picture (720 x 576).
POINT ScreenPointOfPicture(CDVD* dvd, int x, int y) {
  long left = 0, top = 0, width = 0, height = 0;
  fw::ComPtr<IBasicVideo> basic;
  dvd->Graph()->QueryInterface(IID_IBasicVideo, basic.put_void());
  if (basic) basic->GetDestinationPosition(&left, &top, &width, &height);
  POINT point{static_cast<LONG>(left + x * width / 720), static_cast<LONG>(top + y * height / 576)};
  ClientToScreen(CMedia::VideoWindow(), &point);
  return point;
}

// Real input: the system moves the cursor and clicks, as a hand would.
void MoveMouseTo(POINT screen) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = static_cast<LONG>(screen.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1));
  input.mi.dy = static_cast<LONG>(screen.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1));
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof(input));
}

void Click() {
  INPUT inputs[2]{};
  inputs[0].type = inputs[1].type = INPUT_MOUSE;
  inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, inputs, sizeof(INPUT));
}

void SaveScreenshot(HWND window, const std::wstring& name) {
  zvtest::CaptureWindow(window).SaveBmp(zvtest::ExeFolder() + name);
}

}  // namespace

TEST(DvdPlayer, DroppedFolderOpensTheMenuWithTheDvdCommandsOfAMenu) {
  std::wstring title;
  bool menu = false, chapterItemsGreyInMenu = false, titleMenuAllowed = false, chapterButtonsOn = false;
  int red = -1, redOnSecond = -1;
  SetCursorPos(0, 0);  // away from the picture: no button under it
  RunPlayer([&](ScriptedPlayer& player) {
    player.OnDropFiles(zvtest::MakeDrop({DiscFolder()}));
    CDVD* dvd = player.DvdMedia();
    ASSERT_NE(dvd, nullptr);
    title = player.GetText();
    menu = zvtest::WaitFor([&] { return Domain(player.DvdMedia()) == DVD_DOMAIN_VideoManagerMenu &&
                                        CurrentButton(player.DvdMedia()) == 1; }, 20000);
    zvtest::WaitFor([&] { return !player.IsCommandEnabled(IDM_NAVIGATION_PLAYNEXTCHAPTER); }, 5000);
    chapterItemsGreyInMenu = !player.IsCommandEnabled(IDM_NAVIGATION_PLAYNEXTCHAPTER) &&
                             !player.IsCommandEnabled(IDM_NAVIGATION_PLAYPREVIOUSCHAPTER);
    titleMenuAllowed = player.IsCommandEnabled(IDM_NAVIGATION_SHOWTOPMENU);
    chapterButtonsOn = player.ToolBar().IsButtonEnabled(IDTBB_NEXTTRACKCHAPTER);
    // The selected button in the highlight colour (red) on the screen, the
    // other not.
    const int first = static_cast<int>(CurrentButton(player.DvdMedia()));
    auto redOn = [&](int button) {
      const int top = button == 1 ? 160 : 320;
      return zvtest::DvdPicturePixelsNear(player.DvdMedia(), 120, top, 600, top + 80, RGB(255, 0, 0));
    };
    zvtest::WaitFor([&] { return redOn(first) > 1000; }, 5000);
    red = redOn(first);
    redOnSecond = redOn(3 - first);
    SaveScreenshot(player.hwnd(), L"dvd_player_menu.bmp");
  });
  EXPECT_EQ(title, zv::AppName() + L" BETA - disc - PLAY");
  EXPECT_TRUE(menu);
  EXPECT_TRUE(chapterItemsGreyInMenu);
  EXPECT_TRUE(titleMenuAllowed);
  EXPECT_TRUE(chapterButtonsOn);
  EXPECT_GT(red, 1000);
  EXPECT_EQ(redOnSecond, 0);
}

TEST(DvdPlayer, TheChapterButtonGoesToTheNextChapter) {
  bool inTitle = false, secondChapter = false, nextAllowed = false;
  int position = -1;
  RunPlayer([&](ScriptedPlayer& player) {
    player.OpenDiscOrFolder(DiscFolder());
    CDVD* dvd = player.DvdMedia();
    ASSERT_NE(dvd, nullptr);
    ASSERT_TRUE(zvtest::WaitFor([&] { return CurrentButton(player.DvdMedia()) == 1; }, 20000));
    player.DvdActivateButton();
    inTitle = zvtest::WaitFor([&] { return Location(player.DvdMedia()).TitleNum == 1 &&
                                           Domain(player.DvdMedia()) == DVD_DOMAIN_Title; }, 20000);
    zvtest::WaitFor([&] { return player.IsCommandEnabled(IDM_NAVIGATION_PLAYNEXTCHAPTER); }, 5000);
    nextAllowed = player.IsCommandEnabled(IDM_NAVIGATION_PLAYNEXTCHAPTER);
    zvtest::WaitFor([&] { return dvd->GetPosition() >= 150; }, 10000);
    SaveScreenshot(player.hwnd(), L"dvd_player_title1.bmp");
    SendMessageW(player.hwnd(), WM_COMMAND, IDTBB_NEXTTRACKCHAPTER, 0);
    secondChapter = zvtest::WaitFor([&] { return Location(player.DvdMedia()).ChapterNum == 2; }, 10000);
    zvtest::WaitFor([&] { return dvd->GetPosition() >= 500; }, 10000);
    position = dvd->GetPosition();
  });
  EXPECT_TRUE(inTitle);
  EXPECT_TRUE(nextAllowed);
  EXPECT_TRUE(secondChapter);
  EXPECT_NEAR(position, 550, 100);
}

TEST(DvdPlayer, TheMouseOverAButtonSelectsItAndAClickPlaysItsTitle) {
  bool menu = false, hovered = false, secondTitle = false;
  RunPlayer([&](ScriptedPlayer& player) {
    player.OpenDiscOrFolder(DiscFolder());
    CDVD* dvd = player.DvdMedia();
    ASSERT_NE(dvd, nullptr);
    menu = zvtest::WaitFor([&] { return CurrentButton(player.DvdMedia()) == 1; }, 20000);
    SetForegroundWindow(player.hwnd());
    const POINT second = ScreenPointOfPicture(dvd, 360, 360);
    MoveMouseTo(POINT{second.x - 20, second.y - 4});
    zvtest::Pump(100);
    MoveMouseTo(second);
    hovered = zvtest::WaitFor([&] { return CurrentButton(player.DvdMedia()) == 2; }, 5000);
    Click();
    secondTitle = zvtest::WaitFor([&] { return Domain(player.DvdMedia()) == DVD_DOMAIN_Title &&
                                               Location(player.DvdMedia()).TitleNum == 2; }, 20000);
    zvtest::Pump(500);
    SaveScreenshot(player.hwnd(), L"dvd_player_title2.bmp");
  });
  EXPECT_TRUE(menu);
  EXPECT_TRUE(hovered);
  EXPECT_TRUE(secondTitle);
}

// The stream sub-menus of a DVD come from its navigator: chapters, the two
// audio languages, the subtitle and the title's one angle, with the one
// playing checked; a choice reaches the navigator and the check follows it.
TEST(DvdPlayer, StreamMenusListTheTitlesStreamsAndChoicesReachTheNavigator) {
  int chapters = -1, audio = -1, subtitles = -1, angles = -1;
  bool angleChecked = false, stillTitle = false;
  bool firstAudioChecked = false, secondAudioPlays = false, secondAudioChecked = false, secondChapter = false;
  RunPlayer([&](ScriptedPlayer& player) {
    player.OpenDiscOrFolder(DiscFolder());
    ASSERT_NE(player.DvdMedia(), nullptr);
    ASSERT_TRUE(zvtest::WaitFor([&] { return CurrentButton(player.DvdMedia()) == 1; }, 20000));
    player.DvdActivateButton();
    ASSERT_TRUE(zvtest::WaitFor([&] { return Domain(player.DvdMedia()) == DVD_DOMAIN_Title; }, 20000));
    HMENU audioMenu = player.NamedPopup(IDM_WIEDERGABE_STREAMS_AUDIO);
    zvtest::WaitFor([&] { return GetMenuItemCount(audioMenu) == 2; }, 10000);
    chapters = GetMenuItemCount(player.NamedPopup(IDM_WIEDERGABE_STREAMS_CHAPTER));
    audio = GetMenuItemCount(audioMenu);
    subtitles = GetMenuItemCount(player.NamedPopup(IDM_WIEDERGABE_STREAMS_SUBTITLE));
    HMENU angleMenu = player.NamedPopup(IDM_WIEDERGABE_STREAMS_ANGLE);
    angles = GetMenuItemCount(angleMenu);
    angleChecked = (GetMenuState(angleMenu, 0, MF_BYPOSITION) & MF_CHECKED) != 0;
    // The angle playing is chosen again: nothing changes.
    SendMessageW(player.hwnd(), WM_COMMAND, ID_STREAM_ANGLE_FIRST, 0);
    zvtest::Pump(200);
    stillTitle = Domain(player.DvdMedia()) == DVD_DOMAIN_Title;
    firstAudioChecked = (GetMenuState(audioMenu, 0, MF_BYPOSITION) & MF_CHECKED) != 0;
    SendMessageW(player.hwnd(), WM_COMMAND, ID_STREAM_AUDIO_FIRST + 1, 0);
    secondAudioPlays = zvtest::WaitFor([&] {
      ULONG available = 0, current = 0;
      player.DvdMedia()->DvdInfo()->GetCurrentAudio(&available, &current);
      return current == 1;
    }, 10000);
    secondAudioChecked = zvtest::WaitFor([&] {
      return (GetMenuState(player.NamedPopup(IDM_WIEDERGABE_STREAMS_AUDIO), 1, MF_BYPOSITION) & MF_CHECKED) != 0;
    }, 5000);
    SendMessageW(player.hwnd(), WM_COMMAND, ID_STREAM_CHAPTER_FIRST + 1, 0);
    secondChapter = zvtest::WaitFor([&] { return Location(player.DvdMedia()).ChapterNum == 2; }, 10000);
  });
  EXPECT_GE(chapters, 2);
  EXPECT_EQ(audio, 2);
  EXPECT_EQ(subtitles, 3);  // "Off", separator, the subtitle
  EXPECT_EQ(angles, 1);
  EXPECT_TRUE(angleChecked);
  EXPECT_TRUE(stillTitle);
  EXPECT_TRUE(firstAudioChecked);
  EXPECT_TRUE(secondAudioPlays);
  EXPECT_TRUE(secondAudioChecked);
  EXPECT_TRUE(secondChapter);
}
