#pragma once
// The DVD page: subtitles on when a DVD starts.
#include "settings/SettingsPage.h"

class CSettingsDVD : public CSettingsPage {
 public:
  CSettingsDVD(LanguageTable* language, CSettings* settings, HWND parent);

 protected:
  BOOL OnInitDialog() override;

 private:
  FW_DECLARE_MESSAGE_MAP()
  void OnSubtitlesClick();
};
