#include "player/PlaybackDelayDialog.h"

#include "res/resource.h"

CPlaybackDelayDialog::CPlaybackDelayDialog(const LanguageTable* language, int seconds, HWND parent)
    : CCountdownDialog(IDD_PLAYBACKDELAY, u"IDD_PLAYBACKDELAY", seconds, language, parent) {}
