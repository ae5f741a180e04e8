#include "player/ImageButton.h"

FW_BEGIN_MESSAGE_MAP(CImageButton, fw::SubclassedControl)
  FW_ON_MESSAGE(WM_MOUSEMOVE, OnMouseMove)
  FW_ON_MESSAGE(WM_TIMER, OnTimer)
  FW_ON_MESSAGE(WM_PAINT, OnPaint)
  FW_ON_MESSAGE(WM_ERASEBKGND, OnEraseBackground)
  FW_ON_MESSAGE(BM_SETSTATE, OnSetState)
  FW_ON_MESSAGE(WM_NCDESTROY, OnNcDestroy)
FW_END_MESSAGE_MAP()

CImageButton::~CImageButton() {
  if (hwnd_) KillTimer(hwnd_, kHoverTimer);
  if (tooltip_) DestroyWindow(tooltip_);
}

bool CImageButton::Create(HWND parent, int id, const RECT& rect, HIMAGELIST normal, HIMAGELIST hover) {
  HWND button = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | BS_OWNERDRAW,
                                rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                                nullptr);
  if (!button) return false;
  if (Attach(button, normal, hover)) return true;
  DestroyWindow(button);
  return false;
}

bool CImageButton::Attach(HWND button, HIMAGELIST normal, HIMAGELIST hover) {
  if (!Subclass(button)) return false;
  normal_ = normal;
  hoverList_ = hover;
  return true;
}

void CImageButton::SetImageLists(HIMAGELIST normal, HIMAGELIST hover) {
  normal_ = normal;
  hoverList_ = hover;
  if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

void CImageButton::SetImageIndex(int index) {
  imageIndex_ = index;
  if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

void CImageButton::SetTooltipText(const std::wstring& text) {
  tooltipText_ = text;
  if (!tooltip_) return;
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.hwnd = hwnd_;
  tool.uId = reinterpret_cast<UINT_PTR>(hwnd_);
  tool.lpszText = const_cast<wchar_t*>(tooltipText_.c_str());
  SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

void CImageButton::EnsureTooltip() {
  if (tooltip_ || !hwnd_) return;
  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
  if (!tooltip_) return;
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.uFlags = TTF_IDISHWND;
  tool.hwnd = hwnd_;
  tool.uId = reinterpret_cast<UINT_PTR>(hwnd_);
  tool.lpszText = const_cast<wchar_t*>(tooltipText_.c_str());
  SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  SendMessageW(tooltip_, TTM_ACTIVATE, TRUE, 0);
}

// Mouse messages go to the tooltip before the button handles them.
bool CImageButton::OnRawMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT*) {
  if (message < WM_MOUSEFIRST || message > WM_MOUSELAST) return false;
  EnsureTooltip();
  if (!tooltip_) return false;
  MSG msg{hwnd_, message, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
  const DWORD pos = GetMessagePos();
  msg.pt = POINT{static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
  SendMessageW(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
  return false;
}

LRESULT CImageButton::OnMouseMove(WPARAM wParam, LPARAM lParam) {
  if (!hover_) {
    hover_ = true;
    SetTimer(hwnd_, kHoverTimer, kHoverPeriodMs, nullptr);
    InvalidateRect(hwnd_, nullptr, FALSE);
  }
  return DefaultProc(WM_MOUSEMOVE, wParam, lParam);
}

LRESULT CImageButton::OnTimer(WPARAM wParam, LPARAM lParam) {
  if (wParam != kHoverTimer) return DefaultProc(WM_TIMER, wParam, lParam);
  POINT cursor{};
  GetCursorPos(&cursor);
  RECT window{};
  GetWindowRect(hwnd_, &window);
  if (PtInRect(&window, cursor)) return 0;
  hover_ = false;
  KillTimer(hwnd_, kHoverTimer);
  InvalidateRect(hwnd_, nullptr, FALSE);
  return 0;
}

LRESULT CImageButton::OnPaint(WPARAM, LPARAM) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd_, &ps);
  Draw(dc);
  EndPaint(hwnd_, &ps);
  return 0;
}

// The whole face is painted in WM_PAINT.
LRESULT CImageButton::OnEraseBackground(WPARAM, LPARAM) { return 1; }

// Pressing and releasing show the picture one pixel lower; repaint on change.
LRESULT CImageButton::OnSetState(WPARAM wParam, LPARAM lParam) {
  const LRESULT result = DefaultProc(BM_SETSTATE, wParam, lParam);
  InvalidateRect(hwnd_, nullptr, FALSE);
  return result;
}

LRESULT CImageButton::OnNcDestroy(WPARAM wParam, LPARAM lParam) {
  KillTimer(hwnd_, kHoverTimer);
  hover_ = false;
  if (tooltip_) {
    DestroyWindow(tooltip_);
    tooltip_ = nullptr;
  }
  return DefaultProc(WM_NCDESTROY, wParam, lParam);
}

void CImageButton::Draw(HDC dc) {
  RECT client{};
  GetClientRect(hwnd_, &client);
  // The parent chooses the background, as for any button.
  auto brush = reinterpret_cast<HBRUSH>(
      SendMessageW(GetParent(hwnd_), WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd_)));
  FillRect(dc, &client, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
  HIMAGELIST list = hover_ ? hoverList_ : normal_;
  if (!normal_ || !hoverList_) return;
  int width = 0, height = 0;
  ImageList_GetIconSize(list, &width, &height);
  const bool pushed = (SendMessageW(hwnd_, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
  const int x = (client.right - width) / 2 + (pushed ? 1 : 0);
  const int y = (client.bottom - height) / 2 + (pushed ? 1 : 0);
  ImageList_DrawEx(list, imageIndex_, dc, x, y, 0, 0, CLR_NONE, CLR_NONE, ILD_TRANSPARENT);
}
