#include "settings/SettingsPlayback.h"

#include "app/Settings.h"
#include "framework/WideString.h"
#include "res/resource.h"
#include "settings/SettingsForm.h"

namespace {
// Enough for every 32-bit number with its sign.
constexpr int kNumberLength = 11;
}  // namespace

FW_BEGIN_MESSAGE_MAP(CSettingsPlayback, CSettingsPage)
  FW_ON_CONTROL(BN_CLICKED, IDC_PLAYBACK_FULLSCREEN, OnControlChange)
  FW_ON_CONTROL(BN_CLICKED, IDC_PLAYBACK_AUTOSTARTVIDEO, OnControlChange)
  FW_ON_CONTROL(BN_CLICKED, IDC_PLAYBACK_JUMPTOLASTPOS, OnControlChange)
  FW_ON_CONTROL(EN_CHANGE, IDC_PLAYBACK_PLAYBACKDELAY, OnControlChange)
  FW_ON_CONTROL(EN_CHANGE, IDC_PLAYBACK_EDIT_JUMPINGRANGE, OnControlChange)
  FW_ON_CONTROL(EN_KILLFOCUS, IDC_PLAYBACK_PLAYBACKDELAY, OnNumberDone)
  FW_ON_CONTROL(EN_KILLFOCUS, IDC_PLAYBACK_EDIT_JUMPINGRANGE, OnNumberDone)
FW_END_MESSAGE_MAP()

CSettingsPlayback::CSettingsPlayback(LanguageTable* language, CSettings* settings, HWND parent)
    : CSettingsPage(IDD_SETTINGS_PLAYBACK, language, settings, parent) {}

BOOL CSettingsPlayback::OnInitDialog() {
  filling_ = true;
  SetChecked(IDC_PLAYBACK_FULLSCREEN, settings_->StartFullscreen != 0);
  SetChecked(IDC_PLAYBACK_AUTOSTARTVIDEO, settings_->StartMediaAutomatically != 0);
  SetChecked(IDC_PLAYBACK_JUMPTOLASTPOS, settings_->JumpToLastPosition != 0);
  SendMessageW(Item(IDC_PLAYBACK_PLAYBACKDELAY), EM_LIMITTEXT, kNumberLength, 0);
  SendMessageW(Item(IDC_PLAYBACK_EDIT_JUMPINGRANGE), EM_LIMITTEXT, kNumberLength, 0);
  // A number outside what the page allows (from a damaged registry) is shown
  // and kept as the page would store it.
  settings_->PlaybackDelay = zv::settingsform::ValidPlaybackDelay(settings_->PlaybackDelay);
  settings_->JumpingRange = zv::settingsform::ValidJumpingRange(settings_->JumpingRange);
  ShowNumbers();
  Translate(u"IDD_SETTINGS_PLAYBACK");
  StoreControls();
  filling_ = false;
  return TRUE;
}

void CSettingsPlayback::ShowNumbers() {
  const bool wasFilling = filling_;
  filling_ = true;
  SetItemText(IDC_PLAYBACK_PLAYBACKDELAY, fw::Format(L"%i", settings_->PlaybackDelay));
  SetItemText(IDC_PLAYBACK_EDIT_JUMPINGRANGE, fw::Format(L"%i", settings_->JumpingRange));
  filling_ = wasFilling;
}

void CSettingsPlayback::StoreControls() {
  settings_->StartFullscreen = Checked(IDC_PLAYBACK_FULLSCREEN) ? 1 : 0;
  settings_->StartMediaAutomatically = Checked(IDC_PLAYBACK_AUTOSTARTVIDEO) ? 1 : 0;
  settings_->JumpToLastPosition = Checked(IDC_PLAYBACK_JUMPTOLASTPOS) ? 1 : 0;
  settings_->PlaybackDelay = zv::settingsform::PlaybackDelayFromText(fw::ToU16(ItemText(IDC_PLAYBACK_PLAYBACKDELAY)));
  settings_->JumpingRange = zv::settingsform::JumpingRangeFromText(fw::ToU16(ItemText(IDC_PLAYBACK_EDIT_JUMPINGRANGE)));
}

void CSettingsPlayback::OnControlChange() {
  if (filling_) return;
  StoreControls();
  settings_->PlaybackChanged = 1;
}

void CSettingsPlayback::OnNumberDone() {
  if (filling_) return;
  const std::wstring delay = fw::Format(L"%i", settings_->PlaybackDelay);
  const std::wstring range = fw::Format(L"%i", settings_->JumpingRange);
  if (ItemText(IDC_PLAYBACK_PLAYBACKDELAY) != delay || ItemText(IDC_PLAYBACK_EDIT_JUMPINGRANGE) != range)
    ShowNumbers();
}
