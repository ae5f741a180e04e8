#pragma once
// The Video page: the monitor and the resolution for fullscreen, and the
// video renderer.
#include "settings/SettingsPage.h"

class CSettingsVideo : public CSettingsPage {
 public:
  CSettingsVideo(LanguageTable* language, CSettings* settings, HWND parent);

 protected:
  BOOL OnInitDialog() override;

 private:
  FW_DECLARE_MESSAGE_MAP()
  void OnMonitorChange();
  void OnResolutionChange();
  void OnRendererChange();
};
