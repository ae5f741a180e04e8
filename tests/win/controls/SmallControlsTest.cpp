// The icon button and the hyperlink label, and a look at the bar row.
#include "framework/WideString.h"
#include "player/Hyperlink.h"
#include "player/LayoutMath.h"
#include "player/XPButton.h"
#include "res/resource.h"
#include "tests/win/controls/ControlsHost.h"
#include "tests/win/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

class RecordingLink : public CHyperlink {
 public:
  int opened = 0;

 protected:
  void OpenTarget() override { ++opened; }
};

class SmallControlsTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(host.Open(640, 360)); }
  HWND Child(const wchar_t* cls, const wchar_t* text, DWORD style, int id, RECT r) {
    return CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.right - r.left,
                           r.bottom - r.top, host.hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr), nullptr);
  }
  static HFONT GuiFont() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }
  ControlsHost host;
};

TEST_F(SmallControlsTest, HyperlinkIsBoldUnderlinedSizedToTextAndOpensOnClick) {
  HWND label = Child(L"STATIC", L"www.zentravue.example", 0, 950, RECT{20, 80, 300, 100});
  SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(GuiFont()), FALSE);
  RecordingLink link;
  ASSERT_TRUE(link.Attach(label));
  link.SetTarget(L"https://www.zentravue.example/");
  EXPECT_EQ(link.Target(), L"https://www.zentravue.example/");
  LOGFONTW font{};
  ASSERT_TRUE(GetObjectW(link.Font(), sizeof(font), &font));
  EXPECT_EQ(font.lfWeight, FW_BOLD);
  EXPECT_TRUE(font.lfUnderline);
  HDC dc = GetDC(label);
  HGDIOBJ old = SelectObject(dc, link.Font());
  SIZE extent{};
  const std::wstring text = L"www.zentravue.example";
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  SelectObject(dc, old);
  ReleaseDC(label, dc);
  RECT r{};
  GetClientRect(label, &r);
  EXPECT_EQ(r.right, extent.cx);
  EXPECT_EQ(r.bottom, extent.cy);
  EXPECT_TRUE(GetWindowLongPtrW(label, GWL_STYLE) & SS_NOTIFY);

  SendMessageW(label, WM_SETCURSOR, reinterpret_cast<WPARAM>(label), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_HANDPOINT)));
  SendMessageW(label, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  SendMessageW(label, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  EXPECT_EQ(link.opened, 1);
  UpdateWindow(label);
  // Somewhere in the text the blue of the link shows.
  dc = GetDC(label);
  bool blue = false;
  for (int x = 0; x < r.right && !blue; ++x) {
    for (int y = 0; y < r.bottom && !blue; ++y) blue = GetPixel(dc, x, y) == RGB(0, 0, 255);
  }
  ReleaseDC(label, dc);
  EXPECT_TRUE(blue);
}

TEST_F(SmallControlsTest, IconButtonPlacesTheIconBesideItsText) {
  HWND button = Child(L"BUTTON", L"   Aktualisieren", BS_PUSHBUTTON, 951, RECT{20, 120, 160, 146});
  SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(GuiFont()), FALSE);
  CXPButton xp;
  ASSERT_TRUE(xp.Attach(button));
  xp.SetIcon(LoadIconW(nullptr, IDI_INFORMATION));
  UpdateWindow(button);
  HDC dc = GetDC(button);
  HGDIOBJ old = SelectObject(dc, GuiFont());
  SIZE extent{};
  const std::wstring text = L"   Aktualisieren";
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  SelectObject(dc, old);
  ReleaseDC(button, dc);
  const RECT icon = xp.IconRect();
  EXPECT_EQ(icon.left, (140 - extent.cx - 16) / 2 - 4);
  EXPECT_EQ(icon.top, (26 - 16) / 2);
  EXPECT_EQ(icon.right - icon.left, 16);

  SetWindowTextW(button, L"");
  xp.SetIcon(LoadIconW(nullptr, IDI_INFORMATION));
  UpdateWindow(button);
  EXPECT_EQ(xp.IconRect().left, (140 - 16) / 2);
}

TEST_F(SmallControlsTest, StatusBarHasEightPanesSizedFromTheSamples) {
  ASSERT_NE(host.statusBar, nullptr);
  EXPECT_EQ(GetDlgCtrlID(host.statusBar), ID_StatusBar);
  int edges[10] = {};
  ASSERT_EQ(SendMessageW(host.statusBar, SB_GETPARTS, 10, reinterpret_cast<LPARAM>(edges)), 8);
  for (int i = 1; i < 7; ++i) EXPECT_GT(edges[i], edges[i - 1]) << i;
  // Both time panes are as wide as "99:99:99__".
  EXPECT_EQ(edges[1] - edges[0], edges[0]);
  EXPECT_GT(edges[0], 30);
  // The last pane ends where the size grip begins.
  RECT bar{};
  GetClientRect(host.statusBar, &bar);
  EXPECT_EQ(edges[7], bar.right - GetSystemMetrics(SM_CXVSCROLL));
}

// Keeps the window on screen for a while when ZV_CONTROLS_SHOW_MS is set, so
// that a screenshot can be taken from outside.
TEST_F(SmallControlsTest, ShowsTheBarRowForAScreenshot) {
  const char* show = std::getenv("ZV_CONTROLS_SHOW_MS");
  host.position.SetRange(0, 999);
  host.position.SetPos(400);
  host.position.SetSelection(250, 700);
  host.volume.SetPos(80);
  SendMessageW(host.statusBar, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(L"00:01:23"));
  SendMessageW(host.statusBar, SB_SETTEXTW, 1, reinterpret_cast<LPARAM>(L"00:03:20"));
  SendMessageW(host.statusBar, SB_SETTEXTW, 7 | SBT_NOBORDERS, reinterpret_cast<LPARAM>(L"\t\t1. 3. 0. 0"));
  host.toolBar.SetButtonState(IDTBB_PLAY, true);
  host.toolBar.SetButtonState(IDTBB_PAUSE, true);
  host.toolBar.SetButtonState(IDTBB_STOP, true);
  RedrawWindow(host.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  EXPECT_EQ(host.position.GetPos(), 400);
  if (show) zvtest::WaitFor([] { return false; }, static_cast<DWORD>(std::atoi(show)));
}

}  // namespace
