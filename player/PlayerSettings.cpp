// The settings command: runs the settings dialog on a copy of the settings
// and, after OK, applies what the pages changed and saves.
#include "player/ZentravueDlg.h"

#include "app/Settings.h"
#include "settings/SettingsDialog.h"

void CZentravueDlg::OnSettingsCommand() {
  // Also reached by remote control while the dialog is open: one at a time.
  if (!language_ || settingsOpen_) return;
  settingsOpen_ = true;
  settings_->ResetChangeFlags();
  const bool showCursor = fullscreen_;
  if (showCursor) ShowCursor(TRUE);
  INT_PTR result = IDCANCEL;
  {
    CSettingsDialog dialog(language_, settings_, hwnd_);
    dialog.SetTopmost(fullscreen_);
    result = dialog.DoModal();
  }
  if (result == IDOK) ApplySettingsChanges();
  if (showCursor) ShowCursor(FALSE);
  settingsOpen_ = false;
}

// What each change flag re-applies at once. The other values (renderer,
// fullscreen monitor and resolution, screenshot folder and type, playback
// options, DVD subtitles) are read where they are used, from these same
// settings, so they take effect the next time they are needed.
void CZentravueDlg::ApplySettingsChanges() {
  if (settings_->LanguageChanged) ApplyLanguageChange();
  if (settings_->GeneralChanged) {
    const bool atTop = settings_->ToolBarPos == 0;
    if (toolBar_.hwnd() && toolBar_.AtTop() != atTop) {
      toolBar_.Create(hwnd_, atTop, buttons_, images_);
      if (fullscreen_)
        RelayoutBarRow();
      else
        RelayoutWindow();
    }
    SetProcessPriority();
    if (playState_ == kPlayPlaying) PowerManagementForPlayback(settings_->DeactivatePowerManagement != 0);
  }
  if (settings_->VideoChanged) settings_->ParseDisplaySettings();
  settings_->Save();
  if (settings_->FileAssociationsChanged) settings_->ApplyFileAssociations();
}
