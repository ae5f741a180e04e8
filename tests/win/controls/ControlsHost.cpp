#include "tests/win/controls/ControlsHost.h"

#include "player/LayoutMath.h"
#include "player/StatusBar.h"
#include "res/resource.h"

FW_BEGIN_MESSAGE_MAP(ControlsHost, fw::CustomWindow)
  FW_ON_MESSAGE(WM_HSCROLL, OnHScroll)
  FW_ON_MESSAGE(WM_COMMAND, OnCommand)
  FW_ON_MESSAGE(WM_SIZE, OnSize)
FW_END_MESSAGE_MAP()

bool ControlsHost::Open(int clientWidth, int clientHeight) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = fw::CustomWindow::StaticWndProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = L"ZvControlsHost";
  if (!RegisterClassOnce(wc)) return false;
  const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  RECT frame{0, 0, clientWidth, clientHeight};
  AdjustWindowRect(&frame, style, FALSE);
  if (!Create(L"ZvControlsHost", L"Zentravue controls", style, 0, 40, 40, frame.right - frame.left,
              frame.bottom - frame.top, nullptr, nullptr, instance))
    return false;
  if (!images.Load(instance)) return false;
  if (!toolBar.Create(hwnd_, true, table, images)) return false;
  using namespace zv::layout;
  const RECT none{0, 0, 0, 0};
  if (!position.Create(hwnd_, ID_Slider, TBS_ENABLESELRANGE, none)) return false;
  position.SetRange(0, 0);
  if (!volume.Create(hwnd_, ID_VolumeSlider, TBS_BOTH | TBS_NOTICKS | TBS_ENABLESELRANGE, none)) return false;
  volume.SetRange(0, 100);
  volume.SetPageSize(1);
  if (!mute.Create(hwnd_, IDTBB_MUTE, none, images.Normal(), images.Hover())) return false;
  mute.SetImageIndex(table.ImageIndexOf(u"NoMute"));
  mute.SetTooltipText(L"Ton ausschalten");
  statusBar = CreatePlayerStatusBar(hwnd_);
  if (!statusBar) return false;
  Layout();
  ShowWindow(hwnd_, SW_SHOW);
  UpdateWindow(hwnd_);
  SetForegroundWindow(hwnd_);
  return true;
}

void ControlsHost::Layout() {
  if (!toolBar.hwnd()) return;
  const RECT client = ClientRect();
  using namespace zv::layout;
  const Size size{client.right, client.bottom};
  int statusHeight = 0;
  if (statusBar) {
    SendMessageW(statusBar, WM_SIZE, 0, 0);
    RECT r{};
    GetWindowRect(statusBar, &r);
    statusHeight = r.bottom - r.top;
  }
  toolBarHeight = toolBar.Dock(size.width, size.height, statusHeight);
  Bars bars;
  bars.statusBar = statusHeight;
  bars.toolBar = toolBarHeight;
  bars.toolBarAtTop = toolBar.AtTop();
  bars.barRow = kPositionBarHeight;
  const BarRowRects row = BarRow(size, bars);
  const auto place = [](HWND h, const Rect& r) {
    if (h) MoveWindow(h, r.left, r.top, r.Width(), r.Height(), TRUE);
  };
  place(position.hwnd(), row.positionBar);
  place(volume.hwnd(), row.volumeBar);
  place(mute.hwnd(), row.muteButton);
}

void ControlsHost::Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

LRESULT ControlsHost::OnHScroll(WPARAM wParam, LPARAM lParam) {
  scrolls.push_back(ScrollNote{LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)});
  return 0;
}

LRESULT ControlsHost::OnCommand(WPARAM wParam, LPARAM) {
  commands.push_back(LOWORD(wParam));
  return 0;
}

LRESULT ControlsHost::OnSize(WPARAM, LPARAM) {
  Layout();
  return 0;
}
