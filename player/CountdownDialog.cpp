#include "player/CountdownDialog.h"

#include "framework/WideString.h"
#include "lang/DialogTranslation.h"
#include "lang/LanguageTable.h"
#include "res/resource.h"

#include <utility>

FW_BEGIN_MESSAGE_MAP(CCountdownDialog, fw::Dialog)
  FW_ON_MESSAGE(WM_TIMER, OnTimer)
  FW_ON_MESSAGE(WM_DESTROY, OnDestroy)
  FW_ON_COMMAND(IDC_BUTTON_ABBRECHEN, OnButton)
FW_END_MESSAGE_MAP()

CCountdownDialog::CCountdownDialog(UINT templateId, std::u16string section, int seconds,
                                   const LanguageTable* language, HWND parent)
    : fw::Dialog(templateId, parent),
      section_(std::move(section)),
      secondsLeft_(seconds < 1 ? 1 : seconds),
      language_(language) {}

BOOL CCountdownDialog::OnInitDialog() {
  ShowSeconds();
  SetTimer(hwnd_, ID_Shutdown_Timer, 1000, nullptr);
  zv::TranslateDialog(hwnd_, language_, section_);
  if (topmost_) SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return TRUE;
}

// The number shown is the whole seconds still to come, the last one included.
LRESULT CCountdownDialog::OnTimer(WPARAM id, LPARAM) {
  if (id != ID_Shutdown_Timer) return 0;
  if (secondsLeft_ <= 1) {
    KillTimer(hwnd_, ID_Shutdown_Timer);
    EndDialog(IDOK);
    return 0;
  }
  --secondsLeft_;
  ShowSeconds();
  return 0;
}

LRESULT CCountdownDialog::OnDestroy(WPARAM, LPARAM) {
  KillTimer(hwnd_, ID_Shutdown_Timer);
  return 0;
}

void CCountdownDialog::OnButton() { EndDialog(IDCANCEL); }

void CCountdownDialog::ShowSeconds() {
  const std::u16string word = language_ ? language_->Message(u"SECONDS") : std::u16string();
  SetItemText(IDC_COUNTDOWN, fw::Format(L"%i ", secondsLeft_) + fw::ToWide(word));
}
