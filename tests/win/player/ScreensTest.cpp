// The player window on a desktop of two monitors side by side (the display
// tools/wine-screens-test.sh gives it): fullscreen on the chosen monitor,
// the monitor of the window, a monitor that is gone; maximise and start-up
// on the second monitor; a change of density while the window is open. Run at
// 96 and at 144 dpi.
#include "framework/WideString.h"
#include "framework/WindowDpi.h"
#include "media/Media.h"
#include "player/LayoutMath.h"
#include "res/resource.h"
#include "tests/win/media/MediaTestSupport.h"
#include "tests/win/player/OpeningSupport.h"
#include "tests/win/support/ScreenCapture.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

using zvtest::RunPlayer;
using zvtest::ScriptedPlayer;
using zvtest::WaitFor;

namespace {

struct Monitor {
  std::wstring device;
  RECT rect{};
  RECT work{};
  bool primary = false;
};

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
  MONITORINFOEXW info{};
  info.cbSize = sizeof(info);
  if (GetMonitorInfoW(monitor, &info))
    reinterpret_cast<std::vector<Monitor>*>(data)->push_back(
        {info.szDevice, info.rcMonitor, info.rcWork, (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
  return TRUE;
}

std::vector<Monitor> Monitors() {
  std::vector<Monitor> all;
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&all));
  return all;
}

std::string Text(const RECT& r) {
  std::ostringstream out;
  out << "(" << r.left << "," << r.top << " " << r.right << "," << r.bottom << ")";
  return out.str();
}

// The test pattern's four quadrants (red, green / blue, white) fill the
// rectangle: sampled around the middle of each quadrant.
bool ShowsPattern(const RECT& r, std::string* what) {
  const int w = r.right - r.left;
  const int h = r.bottom - r.top;
  if (w < 8 || h < 8) return false;
  const zvtest::ScreenCapture shown = zvtest::CaptureScreen(r);
  if (shown.Empty()) return false;
  const struct {
    int x, y;
    uint32_t colour;
  } samples[] = {{w / 4, h / 4, 0xFF0000}, {3 * w / 4, h / 4, 0x00FF00},
                 {w / 4, 3 * h / 4, 0x0000FF}, {3 * w / 4, 3 * h / 4, 0xFFFFFF}};
  std::ostringstream out;
  bool all = true;
  for (const auto& s : samples)
    for (int dy : {-h / 8, 0, h / 8})
      for (int dx : {-w / 8, 0, w / 8}) {
        const uint32_t got = shown.At(s.x + dx, s.y + dy);
        if (!zvtest::NearColour(got, s.colour, 40)) {
          all = false;
          out << " " << s.x + dx << "," << s.y + dy << "=" << std::hex << got << std::dec;
        }
      }
  if (what) *what = out.str();
  return all;
}

// Waits for the rectangle to show the pattern; a repaint may come late.
void ExpectPattern(const RECT& r, const std::string& where) {
  std::string wrong;
  const bool shown = WaitFor([&] { return ShowsPattern(r, &wrong); }, 5000);
  EXPECT_TRUE(shown) << where << " " << Text(r) << ":" << wrong;
}

RECT WindowRectOf(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r;
}

RECT VideoAreaOnScreen(ScriptedPlayer& p) {
  RECT area = p.VideoAreaRect();
  MapWindowPoints(p.hwnd(), nullptr, reinterpret_cast<POINT*>(&area), 2);
  return area;
}

void PauseAndWait(ScriptedPlayer& p) {
  p.Pause();
  long state = -1;
  WaitFor([&] { return p.CurrentMedia()->GetState(&state) == S_OK && state == kStatePaused; }, 5000);
}

// With ZV_PLAYER_SHOTS naming a folder, the window's pixels are kept there
// as <dpi>-<name>.bmp for a look.
void KeepPicture(HWND window, const std::string& name) {
  char folder[MAX_PATH] = {};
  if (!GetEnvironmentVariableA("ZV_PLAYER_SHOTS", folder, MAX_PATH)) return;
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  WaitFor([] { return false; }, 300);  // posted paint work and the next frame
  char dpi[16] = "96";
  GetEnvironmentVariableA("ZV_SCREENS_DPI", dpi, sizeof(dpi));
  zvtest::CaptureWindow(window).SaveBmp(fw::Utf8ToWide(folder) + L"\\" + fw::Utf8ToWide(std::string(dpi) + "-" + name) +
                                        L".bmp");
}

RECT InClient(HWND window, HWND child) {
  RECT r = WindowRectOf(child);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

bool Inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

// Every visible bar lies whole inside the client area, none over another;
// every toolbar button inside the toolbar; every status pane wide enough
// for its text.
void ExpectBarsWhole(ScriptedPlayer& p, const std::string& mode) {
  SCOPED_TRACE(mode);
  HWND w = p.hwnd();
  RECT client{};
  GetClientRect(w, &client);
  struct Bar {
    const char* name;
    HWND hwnd;
    RECT rect;
  };
  std::vector<Bar> bars;
  const std::pair<const char*, HWND> all[] = {{"toolbar", p.ToolBar().hwnd()}, {"position bar", p.PositionBar().hwnd()},
                                              {"volume bar", p.VolumeBar().hwnd()}, {"mute button", p.MuteButton().hwnd()},
                                              {"status bar", p.StatusBar()}};
  for (const auto& [name, hwnd] : all)
    if (hwnd && IsWindowVisible(hwnd)) bars.push_back({name, hwnd, InClient(w, hwnd)});
  for (size_t i = 0; i < bars.size(); ++i) {
    EXPECT_TRUE(Inside(bars[i].rect, client)) << bars[i].name << " " << Text(bars[i].rect) << " in " << Text(client);
    for (size_t j = i + 1; j < bars.size(); ++j) {
      RECT both{};
      EXPECT_FALSE(IntersectRect(&both, &bars[i].rect, &bars[j].rect))
          << bars[i].name << " " << Text(bars[i].rect) << " over " << bars[j].name << " " << Text(bars[j].rect);
    }
  }
  HWND tools = p.ToolBar().hwnd();
  if (tools && IsWindowVisible(tools)) {
    RECT inside{};
    GetClientRect(tools, &inside);
    const int count = static_cast<int>(SendMessageW(tools, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      TBBUTTON button{};
      SendMessageW(tools, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
      if (button.fsState & TBSTATE_HIDDEN) continue;
      RECT item{};
      SendMessageW(tools, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&item));
      EXPECT_TRUE(Inside(item, inside)) << "toolbar button " << i << " " << Text(item) << " in " << Text(inside);
    }
  }
  HWND status = p.StatusBar();
  if (status && IsWindowVisible(status)) {
    RECT inside{};
    GetClientRect(status, &inside);
    HDC dc = GetDC(status);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(status, WM_GETFONT, 0, 0)));
    // A maximised window cannot be sized: there the bar shows no grip and
    // the last pane reaches the end.
    const int gripLeft = inside.right - (IsZoomed(w) ? 0 : GetSystemMetrics(SM_CXVSCROLL));
    const int panes = static_cast<int>(SendMessageW(status, SB_GETPARTS, 0, 0));
    for (int i = 0; i < panes; ++i) {
      wchar_t text[256] = {};
      if (LOWORD(SendMessageW(status, SB_GETTEXTLENGTHW, i, 0)) >= 255) continue;
      SendMessageW(status, SB_GETTEXTW, i, reinterpret_cast<LPARAM>(text));
      if (!text[0]) continue;
      SIZE extent{};
      GetTextExtentPoint32W(dc, text, lstrlenW(text), &extent);
      RECT pane{};
      SendMessageW(status, SB_GETRECT, i, reinterpret_cast<LPARAM>(&pane));
      if (pane.right <= pane.left || pane.left >= gripLeft) continue;  // dropped
      // No text runs under the size grip: the panes end where it begins;
      // when maximised, the last one ends at the bar's end.
      EXPECT_LE(pane.right, gripLeft)
          << "status pane " << i << " \"" << fw::WideToUtf8(text) << "\" reaches under the size grip: " << Text(pane)
          << " in " << Text(inside);
      // The pane's own edges take a few pixels; the size grip covers the
      // right end of the last one.
      const int right = std::min<LONG>(pane.right, gripLeft);
      EXPECT_GE(right - pane.left - 4, extent.cx)
          << "status pane " << i << " \"" << fw::WideToUtf8(text) << "\" is cut: " << Text(pane) << " in "
          << Text(inside);
    }
    SelectObject(dc, old);
    ReleaseDC(status, dc);
  }
}

class PlayerScreens : public ::testing::Test {
 protected:
  void SetUp() override {
    monitors_ = Monitors();
    ASSERT_EQ(monitors_.size(), 2u) << "run through tools/wine-screens-test.sh, which gives two monitors";
    for (const Monitor& m : monitors_) (m.primary ? left_ : right_) = m;
    ASSERT_TRUE(left_.primary);
    ASSERT_FALSE(right_.device.empty());
    ASSERT_EQ(right_.rect.left, left_.rect.right) << "side by side";
  }

  // Moves the player window onto the right-hand monitor.
  void MoveToRight(HWND window) {
    SetWindowPos(window, nullptr, right_.work.left + 40, right_.work.top + 30, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

  std::vector<Monitor> monitors_;
  Monitor left_, right_;
};

}  // namespace

TEST_F(PlayerScreens, FullscreenCoversTheChosenMonitorAndLeavingPutsTheWindowBack) {
  auto settings = zvtest::PlayerSettings();
  settings->DisplayDevice = fw::ToU16(right_.device);
  RunPlayer(
      [&](ScriptedPlayer& p) {
        HWND w = p.hwnd();
        ASSERT_TRUE(p.OpenMediaFile(zvtest::MediaPath(L"pattern.avi")));
        PauseAndWait(p);
        const RECT before = WindowRectOf(w);
        ASSERT_EQ(MonitorFromWindow(w, MONITOR_DEFAULTTONULL), MonitorFromPoint({left_.rect.left, left_.rect.top},
                                                                                MONITOR_DEFAULTTONULL));
        SendMessageW(w, WM_COMMAND, IDM_ANSICHT_VOLLBILD, 0);
        ASSERT_TRUE(p.IsFullscreen());
        const RECT covered = WindowRectOf(CMedia::VideoWindow());
        EXPECT_TRUE(EqualRect(&covered, &right_.rect)) << Text(covered) << " on " << Text(right_.rect);
        // A 4:3 picture on a 4:3 monitor fills it.
        ExpectPattern(right_.rect, "the chosen monitor");
        const RECT during = WindowRectOf(w);
        EXPECT_TRUE(EqualRect(&before, &during)) << "the player window stays on its own monitor";

        SendMessageW(w, WM_COMMAND, IDM_ANSICHT_VOLLBILD, 0);
        EXPECT_FALSE(p.IsFullscreen());
        const RECT after = WindowRectOf(w);
        EXPECT_TRUE(EqualRect(&after, &before)) << Text(before) << " -> " << Text(after);
        const RECT child = WindowRectOf(CMedia::VideoWindow());
        const RECT area = VideoAreaOnScreen(p);
        EXPECT_TRUE(EqualRect(&child, &area)) << "the video window is back in the video area";
        ExpectPattern(area, "the video area after fullscreen");
      },
      settings.get());
}

TEST_F(PlayerScreens, CurrentMonitorIsTheOneOfThePlayerWindowAndAGoneOneFallsBackToIt) {
  for (const char16_t* device : {u"Current", u"\\\\.\\DISPLAY9"}) {
    SCOPED_TRACE(fw::WideToUtf8(fw::ToWide(device)));
    auto settings = zvtest::PlayerSettings();
    settings->DisplayDevice = device;
    RunPlayer(
        [&](ScriptedPlayer& p) {
          HWND w = p.hwnd();
          ASSERT_TRUE(p.OpenMediaFile(zvtest::MediaPath(L"pattern.avi")));
          MoveToRight(w);
          const RECT before = WindowRectOf(w);
          PauseAndWait(p);
          SendMessageW(w, WM_COMMAND, IDM_ANSICHT_VOLLBILD, 0);
          ASSERT_TRUE(p.IsFullscreen());
          const RECT covered = WindowRectOf(CMedia::VideoWindow());
          EXPECT_TRUE(EqualRect(&covered, &right_.rect)) << Text(covered) << " on " << Text(right_.rect);
          ExpectPattern(right_.rect, "the monitor of the player window");
          SendMessageW(w, WM_COMMAND, IDM_ANSICHT_VOLLBILD, 0);
          const RECT after = WindowRectOf(w);
          EXPECT_TRUE(EqualRect(&after, &before)) << Text(before) << " -> " << Text(after);
        },
        settings.get());
  }
}

TEST_F(PlayerScreens, MaximisedOnTheSecondMonitorCoversItsWorkAreaAndRestoresThere) {
  RunPlayer([&](ScriptedPlayer& p) {
    HWND w = p.hwnd();
    ASSERT_TRUE(p.OpenMediaFile(zvtest::MediaPath(L"pattern.avi")));
    MoveToRight(w);
    const RECT before = WindowRectOf(w);
    SendMessageW(w, WM_COMMAND, IDM_ANSICHT_MAXIMIEREN, 0);
    ASSERT_TRUE(IsZoomed(w));
    RECT client{};
    GetClientRect(w, &client);
    MapWindowPoints(w, nullptr, reinterpret_cast<POINT*>(&client), 2);
    RECT inside{};
    EXPECT_TRUE(IntersectRect(&inside, &client, &right_.work) && EqualRect(&inside, &client))
        << "client " << Text(client) << " within " << Text(right_.work);
    EXPECT_EQ(client.right - client.left, right_.work.right - right_.work.left) << "the full width";
    EXPECT_GE(client.bottom, right_.work.bottom - 8);
    SendMessageW(w, WM_COMMAND, IDM_ANSICHT_WIEDERHERSTELLEN, 0);
    const RECT restored = WindowRectOf(w);
    EXPECT_TRUE(EqualRect(&before, &restored)) << Text(before) << " -> " << Text(restored);
  });
}

TEST_F(PlayerScreens, StartsOnTheStartMonitorAndKeepsAStoredPlaceThere) {
  auto settings = zvtest::PlayerSettings();
  settings->DisplayDeviceStartup = fw::ToU16(right_.device);
  RECT first{};
  RunPlayer([&](ScriptedPlayer& p) { first = WindowRectOf(p.hwnd()); }, settings.get());
  RECT inside{};
  EXPECT_TRUE(IntersectRect(&inside, &first, &right_.work) && EqualRect(&inside, &first))
      << Text(first) << " on " << Text(right_.work);

  // A place stored on the right-hand monitor is used as it is.
  settings->DisplayDeviceStartup = u"Current";
  settings->WindowPosX = right_.work.left + 100;
  settings->WindowPosY = right_.work.top + 50;
  RECT second{};
  RunPlayer([&](ScriptedPlayer& p) { second = WindowRectOf(p.hwnd()); }, settings.get());
  EXPECT_EQ(second.left, right_.work.left + 100);
  EXPECT_EQ(second.top, right_.work.top + 50);
}

// The renderer keeps no copy of a paused frame: after the window changed
// size the picture must be presented again, scaled to the new video area.
TEST_F(PlayerScreens, PausedPictureIsShownAgainAtTheNewSizeAfterMaximiseAndRestore) {
  RunPlayer([&](ScriptedPlayer& p) {
    HWND w = p.hwnd();
    ASSERT_TRUE(p.OpenMediaFile(zvtest::MediaPath(L"pattern.avi")));
    PauseAndWait(p);
    const auto picture = [&] {
      const RECT area = VideoAreaOnScreen(p);
      long width = 0, height = 0;
      p.CurrentMedia()->GetDestinationSize(&width, &height);
      const LONG left = area.left + (area.right - area.left - width) / 2;
      const LONG top = area.top + (area.bottom - area.top - height) / 2;
      return RECT{left, top, left + width, top + height};
    };
    ExpectPattern(picture(), "paused");
    const RECT small = picture();
    SendMessageW(w, WM_COMMAND, IDM_ANSICHT_MAXIMIEREN, 0);
    ASSERT_TRUE(IsZoomed(w));
    const RECT large = picture();
    EXPECT_GT(large.right - large.left, small.right - small.left);
    ExpectPattern(large, "paused and maximised");
    SendMessageW(w, WM_COMMAND, IDM_ANSICHT_WIEDERHERSTELLEN, 0);
    ExpectPattern(picture(), "paused and restored");
    long state = -1;
    EXPECT_TRUE(p.CurrentMedia()->GetState(&state) == S_OK && state == kStatePaused) << "still paused";
  });
}

// Every mode, idle and playing: the bars whole and the status texts
// readable; with ZV_PLAYER_SHOTS set, a picture of each.
TEST_F(PlayerScreens, EveryModeKeepsItsBarsWholeAndItsStatusTextsReadable) {
  RunPlayer([&](ScriptedPlayer& p) {
    HWND w = p.hwnd();
    for (const char* phase : {"idle", "playing"}) {
      if (std::string(phase) == "playing") {
        ASSERT_TRUE(p.OpenMediaFile(zvtest::MediaPath(L"pattern.avi")));
        p.Play();
      }
      const auto look = [&](const std::string& mode) {
        ExpectBarsWhole(p, std::string(phase) + " " + mode);
        KeepPicture(w, std::string(phase) + "-" + mode);
      };
      look("normal");
      using Toggle = void (CZentravueDlg::*)();
      const std::pair<const char*, Toggle> toggles[] = {{"no-title", &CZentravueDlg::ToggleTitleBar},
                                                        {"no-menu", &CZentravueDlg::ToggleMenuBar},
                                                        {"no-toolbar", &CZentravueDlg::ToggleToolBar},
                                                        {"no-positionbar", &CZentravueDlg::TogglePositionBar},
                                                        {"no-statusbar", &CZentravueDlg::ToggleStatusBar}};
      for (const auto& [name, toggle] : toggles) {
        (p.*toggle)();
        look(name);
        (p.*toggle)();
      }
      p.ToggleCompactView();
      look("compact");
      p.ToggleCompactView();
      if (std::string(phase) == "playing") {
        SendMessageW(w, WM_COMMAND, IDM_ANSICHT_MAXIMIEREN, 0);
        look("maximised");
        SendMessageW(w, WM_COMMAND, IDM_ANSICHT_WIEDERHERSTELLEN, 0);
        SendMessageW(w, WM_COMMAND, IDM_ANSICHT_VOLLBILD, 0);
        if (GetEnvironmentVariableA("ZV_PLAYER_SHOTS", nullptr, 0)) KeepPicture(CMedia::VideoWindow(), "playing-fullscreen");
        SendMessageW(w, WM_COMMAND, IDM_ANSICHT_VOLLBILD, 0);
      }
      // As small as the window goes.
      const RECT normal = WindowRectOf(w);
      SetWindowPos(w, nullptr, 0, 0, 60, 40, SWP_NOMOVE | SWP_NOZORDER);
      look("smallest");
      // And from there to a very large one: nothing of the bars' old places
      // may stay behind.
      SetWindowPos(w, nullptr, left_.work.left, left_.work.top, 1200, 950, SWP_NOZORDER);
      look("large");
      SetWindowPos(w, nullptr, normal.left, normal.top, normal.right - normal.left, normal.bottom - normal.top,
                   SWP_NOZORDER);
    }
  });
}

namespace {

int ScreensDpi() {
  char dpi[16] = "96";
  GetEnvironmentVariableA("ZV_SCREENS_DPI", dpi, sizeof(dpi));
  return std::atoi(dpi);
}

int IconSize(HIMAGELIST list) {
  int cx = 0, cy = 0;
  ImageList_GetIconSize(list, &cx, &cy);
  return cx == cy ? cx : -1;
}

// Tells the window of a new density with a suggested rectangle, as the
// system does when the window goes to a monitor of another scale; the window
// takes the rectangle, and its bars, toolbar buttons and pictures the sizes
// of the new density, every bar whole.
void ChangeDpi(ScriptedPlayer& p, int dpi, const RECT& suggested, const std::string& what) {
  SCOPED_TRACE(what);
  HWND w = p.hwnd();
  RECT given = suggested;
  SendMessageW(w, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&given));
  EXPECT_EQ(fw::DpiOf(w), dpi);
  const RECT now = WindowRectOf(w);
  EXPECT_TRUE(EqualRect(&now, &suggested)) << Text(suggested) << " -> " << Text(now);
  using zv::layout::Scaled;
  HWND tools = p.ToolBar().hwnd();
  ASSERT_NE(tools, nullptr);
  const LRESULT button = SendMessageW(tools, TB_GETBUTTONSIZE, 0, 0);
  EXPECT_EQ(LOWORD(button), Scaled(zv::layout::kToolBarButtonWidth, dpi));
  EXPECT_EQ(HIWORD(button), Scaled(zv::layout::kToolBarButtonHeight, dpi));
  const int pictures = zv::layout::ToolBarImageSizeFor(dpi);
  EXPECT_EQ(IconSize(reinterpret_cast<HIMAGELIST>(SendMessageW(tools, TB_GETIMAGELIST, 0, 0))), pictures);
  EXPECT_EQ(IconSize(reinterpret_cast<HIMAGELIST>(SendMessageW(tools, TB_GETHOTIMAGELIST, 0, 0))), pictures);
  const RECT mute = InClient(w, p.MuteButton().hwnd());
  EXPECT_EQ(mute.right - mute.left, Scaled(zv::layout::kMuteButtonWidth, dpi));
  EXPECT_EQ(mute.bottom - mute.top, Scaled(zv::layout::kMuteButtonHeight, dpi));
  const RECT position = InClient(w, p.PositionBar().hwnd());
  EXPECT_EQ(position.bottom - position.top, Scaled(zv::layout::kPositionBarHeight, dpi));
  ExpectBarsWhole(p, what);
  if (p.CurrentMedia() && p.CurrentMedia()->HasVideo()) {
    const RECT video = WindowRectOf(CMedia::VideoWindow());
    const RECT area = VideoAreaOnScreen(p);
    EXPECT_TRUE(EqualRect(&video, &area)) << "the video window " << Text(video) << " in the video area " << Text(area);
  }
}

RECT Grown(const RECT& r, int from, int to) {
  return RECT{r.left + 10, r.top + 10, r.left + 10 + MulDiv(r.right - r.left, to, from),
              r.top + 10 + MulDiv(r.bottom - r.top, to, from)};
}

}  // namespace

// The window on a monitor of a higher density and back, idle and playing;
// with ZV_PLAYER_SHOTS set, a picture at each density.
TEST_F(PlayerScreens, DensityChangeResizesTheWindowTheBarsAndTheToolbarPictures) {
  const int start = ScreensDpi();
  RunPlayer([&](ScriptedPlayer& p) {
    HWND w = p.hwnd();
    ASSERT_EQ(fw::DpiOf(w), start);
    for (const char* phase : {"idle", "playing"}) {
      if (std::string(phase) == "playing") {
        ASSERT_TRUE(p.OpenMediaFile(zvtest::MediaPath(L"pattern.avi")));
        p.Play();
      }
      const RECT original = WindowRectOf(w);
      int dpi = start;
      for (int higher : {144, 192}) {
        if (higher <= dpi) continue;
        ChangeDpi(p, higher, Grown(WindowRectOf(w), dpi, higher), std::string(phase) + " at " + std::to_string(higher));
        KeepPicture(w, std::string(phase) + "-changed-to-" + std::to_string(higher));
        // The hot pictures of that size, on the first button.
        SendMessageW(p.ToolBar().hwnd(), TB_SETHOTITEM, 0, 0);
        KeepPicture(w, std::string(phase) + "-changed-to-" + std::to_string(higher) + "-hot");
        SendMessageW(p.ToolBar().hwnd(), TB_SETHOTITEM, static_cast<WPARAM>(-1), 0);
        dpi = higher;
      }
      ChangeDpi(p, start, original, std::string(phase) + " back at " + std::to_string(start));
      KeepPicture(w, std::string(phase) + "-changed-back");
    }
    // Fullscreen stays through a change, and the window is whole after it.
    SendMessageW(w, WM_COMMAND, IDM_ANSICHT_VOLLBILD, 0);
    ASSERT_TRUE(p.IsFullscreen());
    const RECT covered = WindowRectOf(CMedia::VideoWindow());
    RECT grown = Grown(WindowRectOf(w), start, 192);
    SendMessageW(w, WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&grown));
    EXPECT_TRUE(p.IsFullscreen());
    const RECT still = WindowRectOf(CMedia::VideoWindow());
    EXPECT_TRUE(EqualRect(&covered, &still)) << Text(covered) << " -> " << Text(still);
    SendMessageW(w, WM_COMMAND, IDM_ANSICHT_VOLLBILD, 0);
    EXPECT_FALSE(p.IsFullscreen());
    ExpectBarsWhole(p, "after fullscreen at 192");
  });
}
