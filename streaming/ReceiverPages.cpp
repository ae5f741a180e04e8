#include "streaming/ReceiverPages.h"

#include "res/resource.h"

CSettingsDreambox::CSettingsDreambox(LanguageTable*, CSettings*, HWND parent)
    : fw::Dialog(IDD_SETTINGS_DREAMBOX, parent) {}

CSettingsVDR::CSettingsVDR(LanguageTable*, CSettings*, HWND parent) : fw::Dialog(IDD_SETTINGS_VDR, parent) {}
