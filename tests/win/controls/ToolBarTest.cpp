// The toolbar: its 22 slots, their pictures, data values and states, the
// owner's tooltip control, and re-creation on the other side.
#include "framework/WideString.h"
#include "player/ToolBarSlots.h"
#include "res/resource.h"
#include "tests/win/controls/ControlsHost.h"

#include <gtest/gtest.h>

namespace {

std::wstring ToolText(HWND tooltip, HWND bar, int command) {
  wchar_t text[256] = {};
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.hwnd = bar;
  tool.uId = static_cast<UINT_PTR>(command);
  tool.lpszText = text;
  SendMessageW(tooltip, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&tool));
  return text;
}

RECT ToolRect(HWND tooltip, HWND bar, int command) {
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.hwnd = bar;
  tool.uId = static_cast<UINT_PTR>(command);
  SendMessageW(tooltip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool));
  return tool.rect;
}

int ToolCount(HWND tooltip) { return static_cast<int>(SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0)); }

class ToolBarTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(host.Open(640, 360)); }
  ControlsHost host;
};

TEST_F(ToolBarTest, TwentyTwoSlotsWithCommandsPicturesDataAndStates) {
  HWND bar = host.toolBar.hwnd();
  ASSERT_EQ(host.toolBar.ButtonCount(), 22);
  for (int i = 0; i < 22; ++i) {
    const zv::ToolBarSlot& slot = zv::kToolBarSlots[i];
    TBBUTTON button{};
    ASSERT_TRUE(SendMessageW(bar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button)));
    EXPECT_EQ(button.idCommand, slot.command) << i;
    if (slot.IsSeparator()) {
      EXPECT_TRUE(button.fsStyle & BTNS_SEP) << i;
      continue;
    }
    EXPECT_EQ(button.iBitmap, host.table.ImageIndexOf(slot.pictureName)) << i;
    EXPECT_EQ(static_cast<int>(button.dwData), host.table.ImageIndexOf(slot.tooltipName)) << i;
    EXPECT_EQ((button.fsState & TBSTATE_ENABLED) != 0, slot.enabled) << i;
    EXPECT_EQ((button.fsState & TBSTATE_INDETERMINATE) != 0, !slot.enabled) << i;
  }
  EXPECT_EQ(host.toolBar.ButtonData(IDTBB_LOOP), 9);
  EXPECT_EQ(host.toolBar.ButtonImage(IDTBB_LOOP), 10);
  EXPECT_EQ(host.toolBar.ButtonImage(IDTBB_PLAYLIST), 24);
  EXPECT_EQ(SendMessageW(bar, TB_GETBUTTONSIZE, 0, 0), MAKELONG(23, 22));
}

TEST_F(ToolBarTest, OwnersTooltipControlHoldsOneToolPerButton) {
  HWND bar = host.toolBar.hwnd();
  HWND tooltip = host.toolBar.Tooltip();
  ASSERT_NE(tooltip, nullptr);
  EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(bar, TB_GETTOOLTIPS, 0, 0)), tooltip);
  EXPECT_EQ(GetWindow(tooltip, GW_OWNER), host.hwnd());
  EXPECT_EQ(ToolCount(tooltip), 18);
  EXPECT_EQ(ToolText(tooltip, bar, IDTBB_LOOP), L"Endlosschleife einschalten");
  EXPECT_EQ(ToolText(tooltip, bar, IDTBB_ONTOP), L"\"Immer oben\" einschalten");
  EXPECT_EQ(ToolText(tooltip, bar, IDTBB_OPEN), L"\u00d6ffnen...");
  RECT item{};
  SendMessageW(bar, TB_GETITEMRECT, SendMessageW(bar, TB_COMMANDTOINDEX, IDTBB_QUIT, 0),
               reinterpret_cast<LPARAM>(&item));
  const RECT tool = ToolRect(tooltip, bar, IDTBB_QUIT);
  EXPECT_TRUE(EqualRect(&tool, &item));
}

TEST_F(ToolBarTest, SetPictureAndStateChangeOnlyThatButton) {
  HWND tooltip = host.toolBar.Tooltip();
  host.toolBar.SetButtonPicture(IDTBB_ONTOP, 26, L"\"Immer oben\" ausschalten");
  EXPECT_EQ(host.toolBar.ButtonImage(IDTBB_ONTOP), 26);
  EXPECT_EQ(host.toolBar.ButtonData(IDTBB_ONTOP), 26);
  EXPECT_EQ(ToolText(tooltip, host.toolBar.hwnd(), IDTBB_ONTOP), L"\"Immer oben\" ausschalten");
  EXPECT_EQ(ToolCount(tooltip), 18);
  EXPECT_FALSE(host.toolBar.IsButtonEnabled(IDTBB_PLAY));
  host.toolBar.SetButtonState(IDTBB_PLAY, true);
  EXPECT_TRUE(host.toolBar.IsButtonEnabled(IDTBB_PLAY));
  host.toolBar.SetButtonState(IDTBB_PLAY, false);
  EXPECT_FALSE(host.toolBar.IsButtonEnabled(IDTBB_PLAY));
  EXPECT_TRUE(SendMessageW(host.toolBar.hwnd(), TB_GETSTATE, IDTBB_PLAY, 0) & TBSTATE_INDETERMINATE);
  EXPECT_TRUE(host.toolBar.IsButtonEnabled(IDTBB_QUIT));
}

TEST_F(ToolBarTest, ClickOnAnEnabledButtonReachesTheOwner) {
  HWND bar = host.toolBar.hwnd();
  RECT item{};
  SendMessageW(bar, TB_GETITEMRECT, SendMessageW(bar, TB_COMMANDTOINDEX, IDTBB_PLAYLIST, 0),
               reinterpret_cast<LPARAM>(&item));
  const LPARAM point = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
  SendMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, point);
  SendMessageW(bar, WM_LBUTTONUP, 0, point);
  ControlsHost::Pump();
  ASSERT_EQ(host.commands.size(), 1u);
  EXPECT_EQ(host.commands[0], IDTBB_PLAYLIST);
}

TEST_F(ToolBarTest, DockedAtTheTopWithRowsThatWrapWhenNarrow) {
  HWND bar = host.toolBar.hwnd();
  RECT r{};
  GetWindowRect(bar, &r);
  MapWindowPoints(nullptr, host.hwnd(), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.right, 640);
  EXPECT_EQ(r.bottom - r.top, host.toolBarHeight);
  EXPECT_GE(host.toolBarHeight, 24);
  EXPECT_EQ(host.toolBar.NeededHeight(), host.toolBarHeight);
  const int oneRow = host.toolBarHeight;
  EXPECT_EQ(SendMessageW(bar, TB_GETROWS, 0, 0), 1);
  const int narrow = host.toolBar.Dock(120, 360, 0);
  EXPECT_GE(narrow, oneRow + 22);
  EXPECT_GT(SendMessageW(bar, TB_GETROWS, 0, 0), 1);
}

TEST_F(ToolBarTest, RecreatedAtTheBottomKeepsStatesPicturesAndTooltips) {
  host.toolBar.SetButtonPicture(IDTBB_LOOP, 9, L"Endlosschleife ausschalten");
  host.toolBar.SetButtonState(IDTBB_PLAY, true);
  HWND old = host.toolBar.hwnd();
  ASSERT_TRUE(host.toolBar.Create(host.hwnd(), false, host.table, host.images));
  HWND bar = host.toolBar.hwnd();
  EXPECT_NE(bar, old);
  EXPECT_FALSE(IsWindow(old));
  EXPECT_FALSE(host.toolBar.AtTop());
  EXPECT_TRUE(IsWindowVisible(bar));
  EXPECT_EQ(host.toolBar.ButtonImage(IDTBB_LOOP), 9);
  EXPECT_EQ(host.toolBar.ButtonData(IDTBB_LOOP), 9);
  EXPECT_TRUE(host.toolBar.IsButtonEnabled(IDTBB_PLAY));
  EXPECT_FALSE(host.toolBar.IsButtonEnabled(IDTBB_STOP));
  HWND tooltip = host.toolBar.Tooltip();
  EXPECT_EQ(ToolCount(tooltip), 18);
  EXPECT_EQ(ToolText(tooltip, bar, IDTBB_LOOP), L"Endlosschleife ausschalten");
  EXPECT_EQ(ToolText(tooltip, bar, IDTBB_QUIT), L"Beenden");
  host.Layout();
  RECT r{};
  GetWindowRect(bar, &r);
  MapWindowPoints(nullptr, host.hwnd(), reinterpret_cast<POINT*>(&r), 2);
  RECT status{};
  GetWindowRect(host.statusBar, &status);
  MapWindowPoints(nullptr, host.hwnd(), reinterpret_cast<POINT*>(&status), 2);
  EXPECT_EQ(r.bottom, status.top);
  // The bar row moved down onto the toolbar.
  RECT row{};
  GetWindowRect(host.position.hwnd(), &row);
  MapWindowPoints(nullptr, host.hwnd(), reinterpret_cast<POINT*>(&row), 2);
  EXPECT_EQ(row.bottom, r.top);
}

TEST_F(ToolBarTest, RecreatingAHiddenToolBarLeavesItHidden) {
  ShowWindow(host.toolBar.hwnd(), SW_HIDE);
  ASSERT_TRUE(host.toolBar.Create(host.hwnd(), true, host.table, host.images));
  EXPECT_FALSE(IsWindowVisible(host.toolBar.hwnd()));
  EXPECT_EQ(host.toolBar.Dock(640, 360, 0), 0);
}

TEST_F(ToolBarTest, AfterTranslationTooltipsFollowTheDataValue) {
  CToolBarButtons translated = host.table;
  ASSERT_TRUE(translated.SetTooltip(u"Loop", u"Loop On"));
  ASSERT_TRUE(translated.SetTooltip(u"Quit", u"Quit"));
  host.toolBar.SetButtonPicture(IDTBB_LOOP, 9, L"Endlosschleife ausschalten");
  host.toolBar.ReloadTooltips(translated);
  HWND tooltip = host.toolBar.Tooltip();
  HWND bar = host.toolBar.hwnd();
  // A two-state button offers its initial action again until it next changes.
  EXPECT_EQ(ToolText(tooltip, bar, IDTBB_LOOP), L"Loop On");
  EXPECT_EQ(ToolText(tooltip, bar, IDTBB_QUIT), L"Quit");
  EXPECT_EQ(ToolText(tooltip, bar, IDTBB_STOP), L"Stopp");
  EXPECT_EQ(ToolCount(tooltip), 18);
}

}  // namespace
