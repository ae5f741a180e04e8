#pragma once
// The shortcuts page: a list with a column for the keyboard and one for each
// of the two remote-control programs WinLIRC and Girder. It only shows; the
// keys are fixed in the program and remote controls reach the player through
// its message interface.
#include "settings/SettingsPage.h"

class CSettingsShortcuts : public CSettingsPage {
 public:
  CSettingsShortcuts(LanguageTable* language, CSettings* settings, HWND parent);

 protected:
  BOOL OnInitDialog() override;
};
