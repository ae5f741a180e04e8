#include "player/ZentSliderCtrl.h"

#include "player/SliderPosition.h"

#include <uxtheme.h>
#include <windowsx.h>

FW_BEGIN_MESSAGE_MAP(CZentSliderCtrl, fw::SubclassedControl)
  FW_ON_MESSAGE(WM_LBUTTONDOWN, OnLButtonDown)
  FW_ON_MESSAGE(WM_MOUSEMOVE, OnMouseMove)
  FW_ON_MESSAGE(WM_LBUTTONUP, OnLButtonUp)
  FW_ON_MESSAGE(WM_CAPTURECHANGED, OnCaptureChanged)
  FW_ON_MESSAGE(WM_SIZE, OnSize)
FW_END_MESSAGE_MAP()

bool CZentSliderCtrl::Create(HWND parent, int id, DWORD style, const RECT& rect) {
  HWND bar = CreateWindowExW(0, TRACKBAR_CLASSW, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | TBS_HORZ | style,
                             rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  if (!bar) return false;
  if (Attach(bar)) return true;
  DestroyWindow(bar);
  return false;
}

bool CZentSliderCtrl::Attach(HWND trackBar) {
  if (!Subclass(trackBar)) return false;
  // A single blank selects no theme (an empty name would be refused).
  SetWindowTheme(trackBar, L" ", L" ");
  return true;
}

int CZentSliderCtrl::GetPos() const { return static_cast<int>(SendMessageW(hwnd_, TBM_GETPOS, 0, 0)); }
void CZentSliderCtrl::SetPos(int position) { SendMessageW(hwnd_, TBM_SETPOS, TRUE, position); }
int CZentSliderCtrl::RangeMin() const { return static_cast<int>(SendMessageW(hwnd_, TBM_GETRANGEMIN, 0, 0)); }
int CZentSliderCtrl::RangeMax() const { return static_cast<int>(SendMessageW(hwnd_, TBM_GETRANGEMAX, 0, 0)); }

void CZentSliderCtrl::SetRange(int rangeMin, int rangeMax, bool redraw) {
  SendMessageW(hwnd_, TBM_SETRANGEMIN, FALSE, rangeMin);
  SendMessageW(hwnd_, TBM_SETRANGEMAX, redraw ? TRUE : FALSE, rangeMax);
}

void CZentSliderCtrl::SetPageSize(int size) { SendMessageW(hwnd_, TBM_SETPAGESIZE, 0, size); }

void CZentSliderCtrl::SetSelection(int start, int end) {
  hasSelection_ = true;
  selectionStart_ = start;
  selectionEnd_ = end;
  SendMessageW(hwnd_, TBM_SETSELSTART, FALSE, start);
  SendMessageW(hwnd_, TBM_SETSELEND, TRUE, end);
}

void CZentSliderCtrl::ClearSelection() {
  hasSelection_ = false;
  SendMessageW(hwnd_, TBM_CLEARSEL, TRUE, 0);
}

bool CZentSliderCtrl::IsVertical() const {
  return (GetWindowLongPtrW(hwnd_, GWL_STYLE) & TBS_VERT) != 0;
}

bool CZentSliderCtrl::SetPosFromPoint(LPARAM point) {
  RECT channel{};
  SendMessageW(hwnd_, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
  const int position =
      IsVertical()
          ? zv::SliderPositionFromPoint(GET_Y_LPARAM(point), channel.top, channel.bottom, RangeMin(), RangeMax())
          : zv::SliderPositionFromPoint(GET_X_LPARAM(point), channel.left, channel.right, RangeMin(), RangeMax());
  if (position == GetPos()) return false;
  SetPos(position);
  return true;
}

void CZentSliderCtrl::Notify(int code) const {
  const UINT message = IsVertical() ? WM_VSCROLL : WM_HSCROLL;
  PostMessageW(GetParent(hwnd_), message, MAKEWPARAM(code, static_cast<WORD>(GetPos())),
               reinterpret_cast<LPARAM>(hwnd_));
}

LRESULT CZentSliderCtrl::OnLButtonDown(WPARAM, LPARAM lParam) {
  dragging_ = true;
  SetCapture(hwnd_);
  SetFocus(hwnd_);
  if (SetPosFromPoint(lParam)) {
    moved_ = true;
    Notify(TB_THUMBTRACK);
  }
  return 0;
}

LRESULT CZentSliderCtrl::OnMouseMove(WPARAM wParam, LPARAM lParam) {
  if (!dragging_) return DefaultProc(WM_MOUSEMOVE, wParam, lParam);
  if (SetPosFromPoint(lParam)) {
    moved_ = true;
    Notify(TB_THUMBTRACK);
  }
  return 0;
}

LRESULT CZentSliderCtrl::OnLButtonUp(WPARAM wParam, LPARAM lParam) {
  if (!dragging_) return DefaultProc(WM_LBUTTONUP, wParam, lParam);
  dragging_ = false;
  ReleaseCapture();
  if (SetPosFromPoint(lParam)) {
    moved_ = true;
    Notify(TB_THUMBTRACK);
  }
  if (moved_) EndDrag();
  return 0;
}

// Another window took the mouse in mid-drag: the drag ends where the thumb
// is, so that the parent does not wait for a release that never comes. The
// bar's own handling is skipped: it would report the end of a drag of its
// own, which never started.
LRESULT CZentSliderCtrl::OnCaptureChanged(WPARAM, LPARAM lParam) {
  if (dragging_ && reinterpret_cast<HWND>(lParam) != hwnd_) {
    dragging_ = false;
    if (moved_) EndDrag();
  }
  return 0;
}

void CZentSliderCtrl::EndDrag() {
  Notify(TB_THUMBPOSITION);
  moved_ = false;
}

LRESULT CZentSliderCtrl::OnSize(WPARAM wParam, LPARAM lParam) {
  const LRESULT result = DefaultProc(WM_SIZE, wParam, lParam);
  if (hasSelection_) {
    SendMessageW(hwnd_, TBM_SETSELSTART, FALSE, selectionStart_);
    SendMessageW(hwnd_, TBM_SETSELEND, TRUE, selectionEnd_);
  }
  return result;
}
