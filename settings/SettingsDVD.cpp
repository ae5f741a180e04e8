#include "settings/SettingsDVD.h"

#include "app/Settings.h"
#include "res/resource.h"

FW_BEGIN_MESSAGE_MAP(CSettingsDVD, CSettingsPage)
  FW_ON_CONTROL(BN_CLICKED, IDC_DVD_ENABLE_SUBTITLES_BY_DEFAULT, OnSubtitlesClick)
FW_END_MESSAGE_MAP()

CSettingsDVD::CSettingsDVD(LanguageTable* language, CSettings* settings, HWND parent)
    : CSettingsPage(IDD_SETTINGS_DVD, language, settings, parent) {}

BOOL CSettingsDVD::OnInitDialog() {
  SetChecked(IDC_DVD_ENABLE_SUBTITLES_BY_DEFAULT, settings_->EnableSubtitlesByDefault != 0);
  settings_->EnableSubtitlesByDefault = settings_->EnableSubtitlesByDefault != 0 ? 1 : 0;
  Translate(u"IDD_SETTINGS_DVD");
  return TRUE;
}

void CSettingsDVD::OnSubtitlesClick() {
  settings_->EnableSubtitlesByDefault = Checked(IDC_DVD_ENABLE_SUBTITLES_BY_DEFAULT) ? 1 : 0;
  settings_->DvdChanged = 1;
}
