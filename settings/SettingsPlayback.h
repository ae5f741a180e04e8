#pragma once
// The Playback page: start in fullscreen, start automatically, jump to the
// last position, the playback delay and the jumping range in seconds.
#include "settings/SettingsPage.h"

class CSettingsPlayback : public CSettingsPage {
 public:
  CSettingsPlayback(LanguageTable* language, CSettings* settings, HWND parent);

 protected:
  BOOL OnInitDialog() override;

 private:
  FW_DECLARE_MESSAGE_MAP()
  void OnControlChange();
  // Leaving an edit shows the number that was stored for it.
  void OnNumberDone();

  void StoreControls();
  void ShowNumbers();
};
