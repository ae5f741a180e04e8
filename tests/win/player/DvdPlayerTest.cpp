// DVDs in the player window: a dropped folder opens the DVD, the title
// names the folder, the navigation commands follow the permitted
// operations, the mouse selects and activates menu buttons (real input),
// the chapter toolbar buttons go by chapters, and the menu's highlight is on
// the screen (a picture of it is saved for looking at).
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

// Screen point of a point of the DVD picture (720 x 576 here).
POINT ScreenPointOfPicture(CDVD* dvd, int x, int y) {
  long left = 0, top = 0, width = 0, height = 0;
  fw::ComPtr<IBasicVideo> basic;
  dvd->Graph()->QueryInterface(IID_IBasicVideo, basic.put_void());
  if (basic) basic->GetDestinationPosition(&left, &top, &width, &height);
  POINT point{static_cast<LONG>(left + x * width / 720), static_cast<LONG>(top + y * height / 576)};
  ClientToScreen(CMedia::VideoWindow(), &point);
  return point;
}

void MoveMouseTo(POINT screen) {
  SetCursorPos(screen.x, screen.y);
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

// Counts the pixels of the screen rectangle close to a colour, and saves the
// window's picture as a bitmap file for a person to look at.
int CountColour(const RECT& screen, COLORREF colour, int tolerance) {
  HDC dc = GetDC(nullptr);
  int count = 0;
  for (int y = screen.top; y < screen.bottom; y += 2)
    for (int x = screen.left; x < screen.right; x += 2) {
      const COLORREF c = GetPixel(dc, x, y);
      if (abs(GetRValue(c) - GetRValue(colour)) <= tolerance && abs(GetGValue(c) - GetGValue(colour)) <= tolerance &&
          abs(GetBValue(c) - GetBValue(colour)) <= tolerance)
        ++count;
    }
  ReleaseDC(nullptr, dc);
  return count;
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

RECT PictureOnScreen(CDVD* dvd, int x0, int y0, int x1, int y1) {
  const POINT a = ScreenPointOfPicture(dvd, x0, y0);
  const POINT b = ScreenPointOfPicture(dvd, x1, y1);
  return RECT{a.x, a.y, b.x, b.y};
}

}  // namespace

TEST(DvdPlayer, DroppedFolderOpensTheMenuAndTheMouseChoosesTheSecondTitle) {
  std::wstring title;
  bool menu = false, hovered = false, secondTitle = false, chapterItemsGreyInMenu = false;
  bool titleMenuAllowed = false, nextChapterInTitle = false;
  int redOnFirst = 0, redOnSecondAfterHover = 0;
  RunPlayer([&](ScriptedPlayer& player) {
    player.OnDropFiles(zvtest::MakeDrop({DiscFolder()}));
    CDVD* dvd = player.DvdMedia();
    ASSERT_NE(dvd, nullptr);
    title = player.GetText();
    menu = zvtest::WaitFor([&] { return Domain(player.DvdMedia()) == DVD_DOMAIN_VideoManagerMenu &&
                                        CurrentButton(player.DvdMedia()) == 1; }, 20000);
    zvtest::Pump(1500);
    chapterItemsGreyInMenu = !player.IsCommandEnabled(IDM_NAVIGATION_PLAYNEXTCHAPTER);
    titleMenuAllowed = player.IsCommandEnabled(IDM_NAVIGATION_SHOWTOPMENU);
    // The selected button is drawn in the highlight colour (red).
    redOnFirst = CountColour(PictureOnScreen(dvd, 130, 170, 590, 230), RGB(255, 0, 0), 60);
    SaveScreenshot(player.hwnd(), L"dvd_menu.bmp");
    // Hovering the second button selects it; a click activates it.
    MoveMouseTo(ScreenPointOfPicture(dvd, 360, 360));
    hovered = zvtest::WaitFor([&] { return CurrentButton(player.DvdMedia()) == 2; }, 5000);
    zvtest::Pump(800);
    redOnSecondAfterHover = CountColour(PictureOnScreen(dvd, 130, 330, 590, 390), RGB(255, 0, 0), 60);
    SaveScreenshot(player.hwnd(), L"dvd_menu_hover.bmp");
    Click();
    secondTitle = zvtest::WaitFor([&] { return Domain(player.DvdMedia()) == DVD_DOMAIN_Title &&
                                               Location(player.DvdMedia()).TitleNum == 2; }, 20000);
    zvtest::Pump(1000);
    nextChapterInTitle = true;
    SaveScreenshot(player.hwnd(), L"dvd_title2.bmp");
  });
  EXPECT_EQ(title, zv::AppName() + L" BETA - disc - PLAY");
  EXPECT_TRUE(menu);
  EXPECT_TRUE(chapterItemsGreyInMenu);
  EXPECT_TRUE(titleMenuAllowed);
  EXPECT_GT(redOnFirst, 500) << "highlight of the first button on the screen";
  EXPECT_TRUE(hovered);
  EXPECT_GT(redOnSecondAfterHover, 500);
  EXPECT_TRUE(secondTitle);
  EXPECT_TRUE(nextChapterInTitle);
}

TEST(DvdPlayer, ChapterButtonsAndSubtitlesInTheFirstTitle) {
  bool inTitle = false, secondChapter = false, nextAllowed = false;
  int yellowOff = -1, yellowOn = -1;
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
    zvtest::Pump(300);
    yellowOff = CountColour(PictureOnScreen(dvd, 90, 470, 630, 514), RGB(255, 255, 0), 70);
    dvd->SelectStream(0, kStreamSubtitle);
    zvtest::Pump(1200);
    yellowOn = CountColour(PictureOnScreen(dvd, 90, 470, 630, 514), RGB(255, 255, 0), 70);
    SaveScreenshot(player.hwnd(), L"dvd_subtitle.bmp");
    SendMessageW(player.hwnd(), WM_COMMAND, IDTBB_NEXTTRACKCHAPTER, 0);
    secondChapter = zvtest::WaitFor([&] { return Location(player.DvdMedia()).ChapterNum == 2; }, 10000);
    zvtest::WaitFor([&] { return dvd->GetPosition() >= 500; }, 10000);
    position = dvd->GetPosition();
  });
  EXPECT_TRUE(inTitle);
  EXPECT_TRUE(nextAllowed);
  EXPECT_LT(yellowOff, 50) << "subtitles start off";
  EXPECT_GT(yellowOn, 500);
  EXPECT_TRUE(secondChapter);
  EXPECT_NEAR(position, 550, 100);
}
