// Shutdown after playback and the playback delay: the switch in both menus
// and on the toolbar, the countdown at the end of the playlist, and the
// countdown before playback when play came with Ctrl held.
#include "player/ZentravueDlg.h"

#include "app/Settings.h"
#include "framework/WideString.h"
#include "player/PlaybackDelayDialog.h"
#include "player/ShutdownDialog.h"
#include "player/SystemShutdown.h"
#include "res/resource.h"

// The check mark of the menu item is the switch's only state: it starts off
// with every start of the program and is never stored. The button shows
// the state and offers the opposite as its tooltip.
void CZentravueDlg::ToggleShutdownAfterPlayback() {
  const bool on = !IsCommandChecked(IDM_WIEDERGABE_SHUTDOWN);
  CheckCommand(IDM_WIEDERGABE_SHUTDOWN, on);
  const char16_t* picture = on ? u"Shutdown" : u"NoShutdown";
  const char16_t* action = on ? u"NoShutdown" : u"Shutdown";
  toolBar_.SetButtonPicture(IDTBB_SHUTDOWN, buttons_.ImageIndexOf(picture), fw::ToWide(buttons_.TooltipOf(action)));
}

// At the end of the playlist, with the switch on: the countdown, and unless
// the user stopped it, the shutdown. A countdown that could not be shown
// shuts nothing down.
void CZentravueDlg::RunShutdownHook() {
  if (!IsCommandChecked(IDM_WIEDERGABE_SHUTDOWN) || !language_) return;
  INT_PTR result = IDCANCEL;
  {
    const bool cursorShown = ShowCursorForDialog();
    CShutdownDialog dialog(language_, hwnd_);
    // The user may be far from the screen: the countdown comes to the front.
    dialog.SetTopmost(true);
    result = dialog.DoModal();
    if (cursorShown) ShowCursor(FALSE);
  }
  if (result == IDOK) zv::CurrentSystemShutdown().ShutDownAndPowerOff();
}

// Whatever ends the countdown (time, button, closing it), playback starts.
void CZentravueDlg::RunPlaybackDelay() {
  const bool cursorShown = ShowCursorForDialog();
  CPlaybackDelayDialog dialog(language_, settings_->PlaybackDelay, hwnd_);
  dialog.SetTopmost(fullscreen_);
  dialog.DoModal();
  if (cursorShown) ShowCursor(FALSE);
}
