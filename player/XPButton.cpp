#include "player/XPButton.h"

#include "player/LayoutMath.h"

#include <string>

FW_BEGIN_MESSAGE_MAP(CXPButton, fw::SubclassedControl)
  FW_ON_MESSAGE(WM_PAINT, OnPaint)
  FW_ON_MESSAGE(WM_SIZE, OnSize)
  FW_ON_MESSAGE(WM_SETTEXT, OnSetText)
  FW_ON_MESSAGE(WM_SETFONT, OnSetFont)
FW_END_MESSAGE_MAP()

void CXPButton::SetIcon(HICON icon) {
  icon_ = icon;
  layoutNeeded_ = true;
  if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

void CXPButton::Layout() {
  RECT client{};
  GetClientRect(hwnd_, &client);
  const std::wstring text = GetText();
  int textWidth = 0;
  if (!text.empty()) {
    HDC dc = GetDC(hwnd_);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(hwnd_, WM_GETFONT, 0, 0)));
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, old);
    ReleaseDC(hwnd_, dc);
    textWidth = extent.cx;
  }
  const zv::layout::Point p =
      zv::layout::IconButtonIconPosition(zv::layout::Size{client.right, client.bottom}, textWidth, !text.empty());
  const int size = zv::layout::kToolBarImageSize;
  iconRect_ = RECT{p.x, p.y, p.x + size, p.y + size};
  layoutNeeded_ = false;
}

// The button paints itself first; the icon goes on top.
LRESULT CXPButton::OnPaint(WPARAM wParam, LPARAM lParam) {
  const LRESULT result = DefaultProc(WM_PAINT, wParam, lParam);
  if (!icon_) return result;
  if (layoutNeeded_) Layout();
  HDC dc = GetDC(hwnd_);
  DrawIconEx(dc, iconRect_.left, iconRect_.top, icon_, 16, 16, 0, nullptr, DI_NORMAL);
  ReleaseDC(hwnd_, dc);
  return result;
}

LRESULT CXPButton::OnSize(WPARAM wParam, LPARAM lParam) {
  layoutNeeded_ = true;
  return DefaultProc(WM_SIZE, wParam, lParam);
}

LRESULT CXPButton::OnSetText(WPARAM wParam, LPARAM lParam) {
  layoutNeeded_ = true;
  return DefaultProc(WM_SETTEXT, wParam, lParam);
}

LRESULT CXPButton::OnSetFont(WPARAM wParam, LPARAM lParam) {
  layoutNeeded_ = true;
  return DefaultProc(WM_SETFONT, wParam, lParam);
}
