#pragma once
// The audio settings dialog: volume and balance sliders that act on the
// media object at once; OK stores them in the settings, cancel puts the
// media object back to the stored values. Driven by the mouse only.
#include "framework/Dialog.h"

class CMedia;
class CSettings;
class LanguageTable;

class CAudioSettingsDlg : public fw::Dialog {
 public:
  // The media object may be none (then only the settings change); neither
  // it nor the settings are owned.
  CAudioSettingsDlg(HWND parent, CMedia* media, CSettings* settings, const LanguageTable* language);

  // Runs the dialog: IDOK or IDCANCEL; -1 without settings (nothing opens).
  INT_PTR Run();
  // The media object went away while the dialog was open: the dialog
  // closes without touching it again (the settings keep their values).
  void ForgetMedia();

 protected:
  BOOL OnInitDialog() override;
  void OnCancel() override;
  bool PreTranslateMessage(MSG* msg) override;

 private:
  FW_DECLARE_MESSAGE_MAP()
  LRESULT OnHScroll(WPARAM, LPARAM);
  void OnReset();
  void OnOk();
  void OnAbort();
  int SliderPosition(int id) const;
  void SetSliderPosition(int id, int position) const;

  CMedia* media_;
  CSettings* settings_;
  const LanguageTable* language_;
  int storedVolume_ = 0;
  int storedBalance_ = 0;
};
