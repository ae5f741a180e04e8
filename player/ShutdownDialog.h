#pragma once
// The 15-second countdown before the computer is shut down after playback;
// its button cancels the shutdown.
#include "player/CountdownDialog.h"

class CShutdownDialog : public CCountdownDialog {
 public:
  static constexpr int kSeconds = 15;
  CShutdownDialog(const LanguageTable* language, HWND parent);
};
