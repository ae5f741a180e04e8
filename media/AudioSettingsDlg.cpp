#include "media/AudioSettingsDlg.h"

#include "app/MediaUnits.h"
#include "app/Settings.h"
#include "lang/DialogTranslation.h"
#include "media/Media.h"
#include "res/resource.h"

#include <commctrl.h>

FW_BEGIN_MESSAGE_MAP(CAudioSettingsDlg, fw::Dialog)
  FW_ON_MESSAGE(WM_HSCROLL, OnHScroll)
  FW_ON_COMMAND(IDC_BUTTON_RESET, OnReset)
  FW_ON_COMMAND(IDC_BUTTON_OK, OnOk)
  FW_ON_COMMAND(IDC_BUTTON_ABBRECHEN, OnAbort)
FW_END_MESSAGE_MAP()

namespace {
constexpr int kBalanceLimit = 10000;
// The balance slider runs from 0 to 20000, balance + 10000: in the
// program's window Wine's trackbar drew the thumb of a range below zero at
// its left end whatever the position. Users see the same slider either way.
constexpr int kBalanceOffset = kBalanceLimit;
}  // namespace

CAudioSettingsDlg::CAudioSettingsDlg(HWND parent, CMedia* media, CSettings* settings, const LanguageTable* language)
    : fw::Dialog(IDD_AUDIO_SETTINGS, parent), media_(media), settings_(settings), language_(language) {}

INT_PTR CAudioSettingsDlg::Run() {
  if (!settings_) return -1;
  return DoModal();
}

void CAudioSettingsDlg::ForgetMedia() {
  media_ = nullptr;
  EndDialog(IDCANCEL);
}

int CAudioSettingsDlg::SliderPosition(int id) const {
  return static_cast<int>(SendMessageW(Item(id), TBM_GETPOS, 0, 0));
}

void CAudioSettingsDlg::SetSliderPosition(int id, int position) const {
  SendMessageW(Item(id), TBM_SETPOS, TRUE, position);
}

BOOL CAudioSettingsDlg::OnInitDialog() {
  SendMessageW(Item(IDC_SLIDER_VOLUME), TBM_SETRANGEMIN, FALSE, 0);
  SendMessageW(Item(IDC_SLIDER_VOLUME), TBM_SETRANGEMAX, TRUE, 100);
  SendMessageW(Item(IDC_SLIDER_BALANCE), TBM_SETRANGEMIN, FALSE, -kBalanceLimit + kBalanceOffset);
  SendMessageW(Item(IDC_SLIDER_BALANCE), TBM_SETRANGEMAX, TRUE, kBalanceLimit + kBalanceOffset);
  storedVolume_ = settings_->Volume;
  storedBalance_ = settings_->Balance;
  SetSliderPosition(IDC_SLIDER_VOLUME, zv::PercentFromVolume(storedVolume_));
  SetSliderPosition(IDC_SLIDER_BALANCE, storedBalance_ + kBalanceOffset);
  zv::TranslateDialog(hwnd_, language_, u"IDD_AUDIO_SETTINGS");
  return TRUE;
}

// Only page steps and the thumb move the media object's volume or balance;
// line steps, home, end and the end of a scroll change nothing there.
LRESULT CAudioSettingsDlg::OnHScroll(WPARAM wParam, LPARAM lParam) {
  const int code = LOWORD(wParam);
  if (code != SB_PAGELEFT && code != SB_PAGERIGHT && code != SB_THUMBPOSITION && code != SB_THUMBTRACK) return 0;
  if (!media_) return 0;
  const HWND slider = reinterpret_cast<HWND>(lParam);
  if (slider == Item(IDC_SLIDER_VOLUME))
    media_->SetVolume(zv::VolumeFromPercent(SliderPosition(IDC_SLIDER_VOLUME)));
  else if (slider == Item(IDC_SLIDER_BALANCE))
    media_->SetBalance(SliderPosition(IDC_SLIDER_BALANCE) - kBalanceOffset);
  return 0;
}

void CAudioSettingsDlg::OnReset() {
  SetSliderPosition(IDC_SLIDER_VOLUME, 100);
  SetSliderPosition(IDC_SLIDER_BALANCE, kBalanceOffset);
  if (!media_) return;
  media_->SetVolume(0);
  media_->SetBalance(0);
}

void CAudioSettingsDlg::OnOk() {
  settings_->Volume = zv::VolumeFromPercent(SliderPosition(IDC_SLIDER_VOLUME));
  settings_->Balance = SliderPosition(IDC_SLIDER_BALANCE) - kBalanceOffset;
  EndDialog(IDOK);
}

void CAudioSettingsDlg::OnAbort() {
  if (media_) {
    media_->SetVolume(storedVolume_);
    media_->SetBalance(storedBalance_);
  }
  EndDialog(IDCANCEL);
}

// Closing the window is the same as the cancel button.
void CAudioSettingsDlg::OnCancel() { OnAbort(); }

bool CAudioSettingsDlg::PreTranslateMessage(MSG* msg) {
  if (msg->message != WM_KEYDOWN || (msg->hwnd != hwnd_ && !IsChild(hwnd_, msg->hwnd))) return false;
  switch (msg->wParam) {
    case VK_TAB:
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_SPACE:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
      return true;
    default:
      return false;
  }
}
