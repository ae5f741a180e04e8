#pragma once
// The countdown before playback starts when the play command came with Ctrl
// held; its button starts playback at once (the dialog then ends with Cancel,
// and playback starts all the same).
#include "player/CountdownDialog.h"

class CPlaybackDelayDialog : public CCountdownDialog {
 public:
  CPlaybackDelayDialog(const LanguageTable* language, int seconds, HWND parent);
};
