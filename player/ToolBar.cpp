#include "player/ToolBar.h"

#include "framework/WideString.h"
#include "framework/WindowDpi.h"
#include "player/LayoutMath.h"
#include "player/ToolBarButtons.h"
#include "player/ToolBarImages.h"
#include "player/ToolBarSlots.h"

#include <algorithm>
#include <vector>

namespace {

// Room for the border line between the bar and the video area.
constexpr int kBorderLine = 2;

TBBUTTON ButtonOfSlot(const zv::ToolBarSlot& slot, const CToolBarButtons& table) {
  TBBUTTON button{};
  button.idCommand = slot.command;
  if (slot.IsSeparator()) {
    button.fsStyle = BTNS_SEP;
    return button;
  }
  button.iBitmap = table.ImageIndexOf(slot.pictureName);
  button.fsState = slot.enabled ? TBSTATE_ENABLED : TBSTATE_INDETERMINATE;
  button.fsStyle = BTNS_BUTTON;
  button.dwData = static_cast<DWORD_PTR>(table.ImageIndexOf(slot.tooltipName));
  return button;
}

bool ButtonInfo(HWND bar, int command, TBBUTTONINFOW* info, DWORD mask) {
  info->cbSize = sizeof(*info);
  info->dwMask = mask;
  return SendMessageW(bar, TB_GETBUTTONINFOW, command, reinterpret_cast<LPARAM>(info)) >= 0;
}

}  // namespace

FW_BEGIN_MESSAGE_MAP(CToolBar, fw::SubclassedControl)
  FW_ON_MESSAGE(WM_NCCALCSIZE, OnNcCalcSize)
  FW_ON_MESSAGE(WM_NCPAINT, OnNcPaint)
FW_END_MESSAGE_MAP()

CToolBar::~CToolBar() {
  if (hwnd_) SendMessageW(hwnd_, TB_SETTOOLTIPS, 0, 0);
  if (tooltip_ && IsWindow(tooltip_)) DestroyWindow(tooltip_);
}

HWND CToolBar::CreateBar(HWND owner, bool atTop, const CToolBarButtons& table, const CToolBarImages& images) const {
  // No tooltip control of the bar's own: it uses the owner's (made first).
  const DWORD style = WS_CHILD | TBSTYLE_FLAT | TBSTYLE_WRAPABLE | CCS_NODIVIDER | CCS_NORESIZE |
                      CCS_NOPARENTALIGN | (atTop ? CCS_TOP : CCS_BOTTOM);
  HWND bar = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr, style, 0, 0, 0, 0, owner, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
  if (!bar) return nullptr;
  using namespace zv::layout;
  SendMessageW(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  const int pictures = images.Size() > 0 ? images.Size() : kToolBarImageSize;
  SendMessageW(bar, TB_SETBITMAPSIZE, 0, MAKELONG(pictures, pictures));
  SendMessageW(bar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images.Normal()));
  SendMessageW(bar, TB_SETHOTIMAGELIST, 0, reinterpret_cast<LPARAM>(images.Hover()));
  std::vector<TBBUTTON> buttons;
  for (const zv::ToolBarSlot& slot : zv::kToolBarSlots) buttons.push_back(ButtonOfSlot(slot, table));
  SendMessageW(bar, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
  // Larger buttons at a higher density, around pictures drawn for it (the
  // image lists' size), sharp, in the middle.
  const int dpi = fw::DpiOf(owner);
  SendMessageW(bar, TB_SETBUTTONSIZE, 0, MAKELONG(Scaled(kToolBarButtonWidth, dpi), Scaled(kToolBarButtonHeight, dpi)));
  return bar;
}

bool CToolBar::Create(HWND owner, bool atTop, const CToolBarButtons& table, const CToolBarImages& images) {
  HWND bar = CreateBar(owner, atTop, table, images);
  if (!bar) return false;
  HWND old = hwnd_;
  const bool wasHidden = old && !IsWindowVisible(old);
  if (old) {
    for (const auto& [command, text] : tooltips_) RemoveTool(old, command);
    Unsubclass();
  }
  owner_ = owner;
  atTop_ = atTop;
  Subclass(bar);
  // The frame changed with the border line's side.
  SetWindowPos(bar, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  if (old) {
    CopyButtonsFrom(old);
    // The old bar must not take our tooltip control with it.
    SendMessageW(old, TB_SETTOOLTIPS, 0, 0);
    DestroyWindow(old);
  } else {
    tooltips_.clear();
    for (const zv::ToolBarSlot& slot : zv::kToolBarSlots) {
      if (!slot.IsSeparator()) tooltips_[slot.command] = fw::ToWide(table.TooltipOf(slot.tooltipName));
    }
  }
  // The tooltip control is made when the mouse first comes to the bar (or
  // someone asks for it): nothing shows it before, and start-up is quicker.
  if (tooltip_) {
    SendMessageW(bar, TB_SETTOOLTIPS, reinterpret_cast<WPARAM>(tooltip_), 0);
    for (const auto& [command, text] : tooltips_) SetTool(command, text);
  }
  if (!wasHidden) ShowWindow(bar, SW_SHOWNA);
  return true;
}

HWND CToolBar::Tooltip() {
  EnsureTooltip();
  return tooltip_;
}

void CToolBar::EnsureTooltip() {
  if (tooltip_ || !hwnd_ || !owner_) return;
  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner_, nullptr, GetModuleHandleW(nullptr),
                             nullptr);
  if (!tooltip_) return;
  SendMessageW(hwnd_, TB_SETTOOLTIPS, reinterpret_cast<WPARAM>(tooltip_), 0);
  for (const auto& [command, text] : tooltips_) SetTool(command, text);
}

bool CToolBar::OnRawMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT*) {
  if (tooltip_ || message < WM_MOUSEFIRST || message > WM_MOUSELAST) return false;
  EnsureTooltip();
  // The bar relays what follows; this first message goes by hand.
  MSG relayed{hwnd_, message, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
  if (tooltip_) SendMessageW(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
  return false;
}

void CToolBar::CopyButtonsFrom(HWND old) {
  for (const zv::ToolBarSlot& slot : zv::kToolBarSlots) {
    if (slot.IsSeparator()) continue;
    TBBUTTONINFOW info{};
    if (!ButtonInfo(old, slot.command, &info, TBIF_STATE | TBIF_IMAGE)) continue;
    TBBUTTONINFOW copy{};
    copy.cbSize = sizeof(copy);
    copy.dwMask = TBIF_STATE | TBIF_IMAGE;
    copy.fsState = info.fsState & (TBSTATE_ENABLED | TBSTATE_INDETERMINATE | TBSTATE_HIDDEN | TBSTATE_CHECKED);
    copy.iImage = info.iImage;
    SendMessageW(hwnd_, TB_SETBUTTONINFOW, slot.command, reinterpret_cast<LPARAM>(&copy));
  }
}

int CToolBar::NeededHeight() const {
  if (!hwnd_) return 0;
  int bottom = 0;
  const int count = ButtonCount();
  for (int i = 0; i < count; ++i) {
    RECT item{};
    if (!SendMessageW(hwnd_, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&item))) continue;
    bottom = std::max<int>(bottom, item.bottom);
  }
  return bottom + kBorderLine;
}

int CToolBar::Dock(int clientWidth, int clientHeight, int statusBarHeight) {
  // The bar's own visibility counts, not its owner's (still hidden while it
  // initialises).
  if (!hwnd_ || !(GetWindowLongPtrW(hwnd_, GWL_STYLE) & WS_VISIBLE)) return 0;
  // Wrapping follows the width, so size the width first and measure the rows.
  SetWindowPos(hwnd_, nullptr, 0, 0, clientWidth,
               zv::layout::Scaled(zv::layout::kToolBarButtonHeight, fw::DpiOf(owner_)) + kBorderLine,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageW(hwnd_, TB_AUTOSIZE, 0, 0);
  zv::layout::Bars bars;
  bars.toolBar = NeededHeight();
  bars.toolBarAtTop = atTop_;
  bars.statusBar = statusBarHeight;
  const zv::layout::Rect r = zv::layout::ToolBarRect(zv::layout::Size{clientWidth, clientHeight}, bars);
  SetWindowPos(hwnd_, nullptr, r.left, r.top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  // Wrapped buttons moved: their tools follow (only their rectangles change).
  if (tooltip_)
    for (const auto& [command, text] : tooltips_) MoveTool(command);
  return r.Height();
}

void CToolBar::MoveTool(int command) {
  if (!tooltip_ || !hwnd_) return;
  const LRESULT index = SendMessageW(hwnd_, TB_COMMANDTOINDEX, command, 0);
  if (index < 0) return;
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.hwnd = hwnd_;
  tool.uId = static_cast<UINT_PTR>(command);
  SendMessageW(hwnd_, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&tool.rect));
  SendMessageW(tooltip_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
}

void CToolBar::RemoveTool(HWND bar, int command) {
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.hwnd = bar;
  tool.uId = static_cast<UINT_PTR>(command);
  SendMessageW(tooltip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void CToolBar::SetTool(int command, const std::wstring& text) {
  tooltips_[command] = text;
  if (!tooltip_ || !hwnd_) return;
  const LRESULT index = SendMessageW(hwnd_, TB_COMMANDTOINDEX, command, 0);
  if (index < 0) return;
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.hwnd = hwnd_;
  tool.uId = static_cast<UINT_PTR>(command);
  SendMessageW(hwnd_, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&tool.rect));
  tool.lpszText = const_cast<wchar_t*>(tooltips_[command].c_str());
  // A tool that exists gets the new text (shown at once if its tip is up)
  // and rectangle; re-adding every tool would cost a tooltip update each.
  TTTOOLINFOW existing{};
  existing.cbSize = sizeof(existing);
  existing.hwnd = hwnd_;
  existing.uId = tool.uId;
  if (SendMessageW(tooltip_, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&existing))) {
    SendMessageW(tooltip_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    return;
  }
  SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void CToolBar::SetButtonPicture(int command, int imageIndex, const std::wstring& tooltip) {
  if (!hwnd_) return;
  SendMessageW(hwnd_, TB_CHANGEBITMAP, command, MAKELPARAM(imageIndex, 0));
  SetTool(command, tooltip);
}

void CToolBar::SetButtonState(int command, bool enabled) {
  if (!hwnd_) return;
  const LRESULT current = SendMessageW(hwnd_, TB_GETSTATE, command, 0);
  if (current < 0) return;
  // Keep the bits the bar manages itself (wrapping, pressed).
  BYTE state = static_cast<BYTE>(current) & ~(TBSTATE_ENABLED | TBSTATE_INDETERMINATE);
  state |= enabled ? TBSTATE_ENABLED : TBSTATE_INDETERMINATE;
  SendMessageW(hwnd_, TB_SETSTATE, command, MAKELPARAM(state, 0));
}

void CToolBar::SetButtonChecked(int command, bool checked) {
  if (!hwnd_) return;
  const LRESULT current = SendMessageW(hwnd_, TB_GETSTATE, command, 0);
  // Unchanged: no repaint (the play state is set on every transport command).
  if (current < 0 || ((current & TBSTATE_CHECKED) != 0) == checked) return;
  SendMessageW(hwnd_, TB_CHECKBUTTON, command, MAKELPARAM(checked ? TRUE : FALSE, 0));
}

bool CToolBar::IsButtonChecked(int command) const {
  return hwnd_ && SendMessageW(hwnd_, TB_ISBUTTONCHECKED, command, 0) != 0;
}

bool CToolBar::IsButtonEnabled(int command) const {
  const LRESULT state = SendMessageW(hwnd_, TB_GETSTATE, command, 0);
  return state >= 0 && (state & TBSTATE_ENABLED) != 0 && (state & TBSTATE_INDETERMINATE) == 0;
}

int CToolBar::ButtonImage(int command) const {
  return static_cast<int>(SendMessageW(hwnd_, TB_GETBITMAP, command, 0));
}

int CToolBar::ButtonData(int command) const {
  TBBUTTONINFOW info{};
  if (!ButtonInfo(hwnd_, command, &info, TBIF_LPARAM)) return -1;
  return static_cast<int>(info.lParam);
}

std::wstring CToolBar::ButtonTooltip(int command) const {
  const auto found = tooltips_.find(command);
  return found == tooltips_.end() ? std::wstring() : found->second;
}

int CToolBar::ButtonCount() const { return static_cast<int>(SendMessageW(hwnd_, TB_BUTTONCOUNT, 0, 0)); }

void CToolBar::ReloadTooltips(const CToolBarButtons& table) {
  const int count = ButtonCount();
  for (int i = 0; i < count; ++i) {
    TBBUTTON button{};
    if (!SendMessageW(hwnd_, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button))) continue;
    if (button.fsStyle & BTNS_SEP) continue;
    SetTool(button.idCommand, fw::ToWide(table.TooltipOfImage(static_cast<int>(button.dwData))));
  }
}

LRESULT CToolBar::OnNcCalcSize(WPARAM wParam, LPARAM lParam) {
  const LRESULT result = DefaultProc(WM_NCCALCSIZE, wParam, lParam);
  auto* r = reinterpret_cast<RECT*>(lParam);
  if (atTop_)
    r->bottom = std::max(r->top, r->bottom - kBorderLine);
  else
    r->top = std::min(r->bottom, r->top + kBorderLine);
  return result;
}

LRESULT CToolBar::OnNcPaint(WPARAM wParam, LPARAM lParam) {
  const LRESULT result = DefaultProc(WM_NCPAINT, wParam, lParam);
  HDC dc = GetWindowDC(hwnd_);
  if (!dc) return result;
  RECT window{};
  GetWindowRect(hwnd_, &window);
  RECT line{0, 0, window.right - window.left, window.bottom - window.top};
  if (atTop_)
    line.top = line.bottom - kBorderLine;
  else
    line.bottom = line.top + kBorderLine;
  DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
  ReleaseDC(hwnd_, dc);
  return result;
}
