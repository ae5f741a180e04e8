#include "player/ShutdownDialog.h"

#include "res/resource.h"

CShutdownDialog::CShutdownDialog(const LanguageTable* language, HWND parent)
    : CCountdownDialog(IDD_SHUTDOWN, u"IDD_SHUTDOWN", kSeconds, language, parent) {}
