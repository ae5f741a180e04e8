// CZentravueDlg: a display of another density (the window went to a monitor
// of another scale, or its monitor's scale changed while it is open).
#include "player/ZentravueDlg.h"

#include "framework/WindowDpi.h"

// The window takes the rectangle the system suggests (the same place and
// look at the new density), the toolbar and the mute button the pictures
// drawn for it, and the bars their sizes at it. The new density is kept with
// the window: everything that sizes by density asks the window for it.
LRESULT CZentravueDlg::OnDpiChanged(WPARAM wParam, LPARAM lParam) {
  const int dpi = HIWORD(wParam);
  if (dpi <= 0) return 0;
  fw::RememberDpi(hwnd_, dpi);
  // Pictures of another size replace the old lists, which go at once: the
  // toolbar and the mute button take the new ones before anything paints.
  // The toolbar is made anew: its button and picture sizes are set before
  // its buttons are added.
  images_.Load(fw::ResourceInstance(), dpi);
  if (toolBar_.hwnd()) toolBar_.Create(hwnd_, toolBar_.AtTop(), buttons_, images_);
  if (muteButton_.hwnd()) muteButton_.SetImageLists(images_.Normal(), images_.Hover());
  const auto* suggested = reinterpret_cast<const RECT*>(lParam);
  if (suggested && suggested->right > suggested->left && suggested->bottom > suggested->top && !IsIconic(hwnd_) &&
      !fullscreen_) {
    // The least height the window may take (WM_GETMINMAXINFO) counts the
    // toolbar's rows: they are those of the new width, not of the bar not
    // yet placed.
    const RECT window = WindowRect();
    const RECT client = ClientRect();
    const int clientWidth = (suggested->right - suggested->left) - (window.right - window.left - client.right);
    toolBar_.Dock(clientWidth > 0 ? clientWidth : 0, client.bottom, CurrentBars().statusBar);
    const int relayoutsBefore = relayouts_;
    SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                 suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    // A new size has laid the window out already.
    if (relayouts_ != relayoutsBefore) return 0;
  }
  // Fullscreen stays (a new size would end it): the video covers the
  // monitor, the bars wait behind it.
  if (fullscreen_)
    RelayoutBarRow();
  else
    RelayoutWindow();
  return 0;
}
