#include "player/StatusBar.h"

#include "framework/WideString.h"
#include "player/LayoutMath.h"
#include "res/resource.h"

#include <commctrl.h>

#include <algorithm>
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
  int widths[kStatusPaneCount] = {};
  bool hasText[kStatusPaneCount] = {};
  HDC dc = GetDC(bar);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(bar, WM_GETFONT, 0, 0)));
  const auto extent = [&](const std::wstring& text) {
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return static_cast<int>(size.cx);
  };
  for (int i = 0; i < kStatusPaneCount; ++i) {
    const int length = LOWORD(SendMessageW(bar, SB_GETTEXTLENGTHW, i, 0));
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(bar, SB_GETTEXTW, i, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    hasText[i] = text.find_first_not_of(L"\t ") != std::wstring::npos;
    if (i < kStatusPaneCount - 1) {
      widths[i] = extent(fw::ToWide(zv::layout::kStatusPaneSamples[i]));
    } else {
      // The version is aligned with tabs; its room is the text and an
      // average character on each side.
      text.erase(0, text.find_first_not_of(L'\t'));
      widths[i] = extent(text) + 2 * extent(L"9");
    }
  }
  SelectObject(dc, old);
  ReleaseDC(bar, dc);
  RECT client{};
  GetClientRect(bar, &client);
  // The size grip takes the right end of the last pane; a maximised window
  // cannot be sized, and its bar shows no grip.
  const bool grip = (GetWindowLongPtrW(bar, GWL_STYLE) & SBARS_SIZEGRIP) != 0 && !IsZoomed(GetAncestor(bar, GA_ROOT));
  const int room = client.right - (grip ? GetSystemMetrics(SM_CXVSCROLL) : 0);
  int edges[kStatusPaneCount] = {};
  if (client.right > 0) {
    zv::layout::FitStatusPanes(widths, hasText, room, edges);
    // The last pane ends where the grip begins: its right-aligned text would
    // run under the grip otherwise.
    if (grip)
      for (int& edge : edges)
        if (edge < 0) edge = std::max(room, 0);
  } else {
    // Not placed yet: the panes as the samples ask, until the first docking.
    int samples[kStatusPaneCount - 1] = {};
    for (int i = 0; i < kStatusPaneCount - 1; ++i) samples[i] = widths[i];
    zv::layout::StatusPaneEdges(samples, edges);
  }
  SendMessageW(bar, SB_SETPARTS, kStatusPaneCount, reinterpret_cast<LPARAM>(edges));
}
