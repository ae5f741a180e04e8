#include "player/Hyperlink.h"

#include "framework/Dialog.h"
#include "res/resource.h"

#include <shellapi.h>

FW_BEGIN_MESSAGE_MAP(CHyperlink, fw::SubclassedControl)
  FW_ON_MESSAGE(WM_PAINT, OnPaint)
  FW_ON_MESSAGE(WM_ERASEBKGND, OnEraseBackground)
  FW_ON_MESSAGE(WM_SETCURSOR, OnSetCursor)
  FW_ON_MESSAGE(WM_LBUTTONUP, OnLButtonUp)
FW_END_MESSAGE_MAP()

bool CHyperlink::Attach(HWND label) {
  if (!Subclass(label)) return false;
  SetWindowLongPtrW(label, GWL_STYLE, GetWindowLongPtrW(label, GWL_STYLE) | SS_NOTIFY);
  return true;
}

void CHyperlink::SetTarget(const std::wstring& target) {
  target_ = target;
  if (!hwnd_) return;
  if (!font_) {
    LOGFONTW logFont{};
    HFONT base = reinterpret_cast<HFONT>(SendMessageW(hwnd_, WM_GETFONT, 0, 0));
    if (!base) base = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    GetObjectW(base, sizeof(logFont), &logFont);
    logFont.lfWeight = FW_BOLD;
    logFont.lfUnderline = TRUE;
    font_.Reset(CreateFontIndirectW(&logFont));
  }
  const std::wstring text = GetText();
  HDC dc = GetDC(hwnd_);
  HGDIOBJ old = SelectObject(dc, font_.get());
  SIZE extent{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  SelectObject(dc, old);
  ReleaseDC(hwnd_, dc);
  SetWindowPos(hwnd_, nullptr, 0, 0, extent.cx, extent.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void CHyperlink::OpenTarget() {
  if (target_.empty()) return;
  ShellExecuteW(GetParent(hwnd_), L"open", target_.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

LRESULT CHyperlink::OnPaint(WPARAM, LPARAM) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd_, &ps);
  RECT client{};
  GetClientRect(hwnd_, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  HGDIOBJ old = SelectObject(
      dc, font_ ? font_.get() : reinterpret_cast<HGDIOBJ>(SendMessageW(hwnd_, WM_GETFONT, 0, 0)));
  SetTextColor(dc, kLinkColour);
  SetBkMode(dc, TRANSPARENT);
  const std::wstring text = GetText();
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &client, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, old);
  EndPaint(hwnd_, &ps);
  return 0;
}

LRESULT CHyperlink::OnEraseBackground(WPARAM, LPARAM) { return 1; }

LRESULT CHyperlink::OnSetCursor(WPARAM, LPARAM) {
  HCURSOR hand = LoadCursorW(fw::ResourceInstance(), MAKEINTRESOURCEW(IDC_HANDPOINT));
  SetCursor(hand ? hand : LoadCursorW(nullptr, IDC_HAND));
  return TRUE;
}

LRESULT CHyperlink::OnLButtonUp(WPARAM wParam, LPARAM lParam) {
  const LRESULT result = DefaultProc(WM_LBUTTONUP, wParam, lParam);
  OpenTarget();
  return result;
}
