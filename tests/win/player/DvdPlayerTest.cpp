// DVDs in the player window: a dropped folder opens the DVD, the title
// names the folder, the navigation commands follow the permitted
// operations, the menu buttons are operated, and the chapter toolbar button
// goes by chapters (pictures of the window are saved for looking at).
#include "app/ProductName.h"
#include "media/DVD.h"
#include "res/resource.h"
#include "tests/win/media/MediaTestSupport.h"
#include "tests/win/player/OpeningSupport.h"

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

void SaveScreenshot(HWND window, const std::wstring& name) {
  RECT r{};
  GetWindowRect(window, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = h;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  const DWORD stride = (static_cast<DWORD>(w) * 3 + 3) & ~3u;
  std::vector<BYTE> pixels(stride * static_cast<DWORD>(h));
  GetDIBits(memory, bitmap, 0, static_cast<UINT>(h), pixels.data(), &info, DIB_RGB_COLORS);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof(file) + sizeof(info.bmiHeader);
  file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
  const std::wstring path = zvtest::ExeFolder() + name;
  HANDLE out = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(out, &file, sizeof(file), &written, nullptr);
  WriteFile(out, &info.bmiHeader, sizeof(info.bmiHeader), &written, nullptr);
  WriteFile(out, pixels.data(), static_cast<DWORD>(pixels.size()), &written, nullptr);
  CloseHandle(out);
}

}  // namespace

TEST(DvdPlayer, DroppedFolderOpensTheMenuWithTheDvdCommandsOfAMenu) {
  std::wstring title;
  bool menu = false, chapterItemsGreyInMenu = false, titleMenuAllowed = false, chapterButtonsOn = false;
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
    SaveScreenshot(player.hwnd(), L"dvd_player_menu.bmp");
  });
  EXPECT_EQ(title, zv::AppName() + L" BETA - disc - PLAY");
  EXPECT_TRUE(menu);
  EXPECT_TRUE(chapterItemsGreyInMenu);
  EXPECT_TRUE(titleMenuAllowed);
  EXPECT_TRUE(chapterButtonsOn);
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
