#include "player/StatusBar.h"

#include "framework/WideString.h"
#include "player/LayoutMath.h"
#include "res/resource.h"

#include <commctrl.h>

#include <string>

HWND CreatePlayerStatusBar(HWND parent) {
  HWND bar = CreateWindowExW(0, STATUSCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0,
                             parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(ID_StatusBar)),
                             GetModuleHandleW(nullptr), nullptr);
  if (bar) SetPlayerStatusPanes(bar);
  return bar;
}

void SetPlayerStatusPanes(HWND bar) {
  using zv::layout::kStatusPaneCount;
  int widths[kStatusPaneCount - 1] = {};
  HDC dc = GetDC(bar);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(bar, WM_GETFONT, 0, 0)));
  for (int i = 0; i < kStatusPaneCount - 1; ++i) {
    const std::wstring sample = fw::ToWide(zv::layout::kStatusPaneSamples[i]);
    SIZE extent{};
    GetTextExtentPoint32W(dc, sample.c_str(), static_cast<int>(sample.size()), &extent);
    widths[i] = extent.cx;
  }
  SelectObject(dc, old);
  ReleaseDC(bar, dc);
  int edges[kStatusPaneCount] = {};
  zv::layout::StatusPaneEdges(widths, edges);
  SendMessageW(bar, SB_SETPARTS, kStatusPaneCount, reinterpret_cast<LPARAM>(edges));
}
