#pragma once
// What the shutdown and playback-delay countdowns share: a text "%i " and the
// word for seconds, refreshed by a one-second timer; the dialog ends with OK
// when the time is up and with Cancel when its button is pressed.
#include "framework/Dialog.h"

#include <string>

class LanguageTable;

class CCountdownDialog : public fw::Dialog {
 public:
  int SecondsLeft() const { return secondsLeft_; }
  // Above fullscreen video, which is a topmost window.
  void SetTopmost(bool topmost) { topmost_ = topmost; }

 protected:
  // Seconds below 1 count as 1.
  CCountdownDialog(UINT templateId, std::u16string section, int seconds, const LanguageTable* language,
                   HWND parent);
  BOOL OnInitDialog() override;

 private:
  FW_DECLARE_MESSAGE_MAP()
  LRESULT OnTimer(WPARAM, LPARAM);
  LRESULT OnDestroy(WPARAM, LPARAM);
  void OnButton();
  void ShowSeconds();

  std::u16string section_;
  int secondsLeft_;
  const LanguageTable* language_;
  bool topmost_ = false;
};
