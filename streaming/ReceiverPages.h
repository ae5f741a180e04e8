#pragma once
// The Dreambox and VDR pages of the settings dialog's Streaming group. A
// receiver's stream is opened by its address like any stream, so the pages
// hold no controls and store nothing; they are constructed like every page.
#include "framework/Dialog.h"

class CSettings;
class LanguageTable;

class CSettingsDreambox : public fw::Dialog {
 public:
  CSettingsDreambox(LanguageTable* language, CSettings* settings, HWND parent);

 protected:
  void OnOK() override {}
  void OnCancel() override {}
};

class CSettingsVDR : public fw::Dialog {
 public:
  CSettingsVDR(LanguageTable* language, CSettings* settings, HWND parent);

 protected:
  void OnOK() override {}
  void OnCancel() override {}
};
