#include "media/CodecDialog.h"

#include "framework/WideString.h"
#include "lang/DialogTranslation.h"
#include "lang/LanguageTable.h"
#include "media/DirectShow.h"
#include "media/DurationText.h"
#include "res/resource.h"

FW_BEGIN_MESSAGE_MAP(CCodecDialog, fw::Dialog)
  FW_ON_COMMAND(IDC_BUTTON_EIGENSCHAFTEN, OnProperties)
  FW_ON_CONTROL(LBN_DBLCLK, IDC_LIST_CODEC, OnProperties)
  FW_ON_COMMAND(IDC_BUTTON_SCHLIESSEN, OnClose)
FW_END_MESSAGE_MAP()

CCodecDialog::CCodecDialog(HWND parent, CMedia* media, const LanguageTable* language)
    : fw::Dialog(IDD_CODEC_DIALOG, parent), media_(media), language_(language) {}

void CCodecDialog::ForgetMedia() {
  media_ = nullptr;
  EndDialog(IDCANCEL);
}

BOOL CCodecDialog::OnInitDialog() {
  const std::u16string title = language_ ? language_->Message(u"PROPERTIES_MEDIA") : std::u16string();
  if (!title.empty()) SetText(fw::ToWide(title));
  if (media_) {
    SetItemText(IDC_DURATION, fw::ToWide(zv::FormatDurationWithMilliseconds(media_->GetDuration())));
    if (auto* graph = dynamic_cast<CDirectShow*>(media_)) {
      graph->FillFilterMenu(Item(IDC_LIST_CODEC), 0);
      SendMessageW(Item(IDC_LIST_CODEC), LB_SETCURSEL, 0, 0);
    }
  }
  zv::TranslateDialog(hwnd_, language_, u"IDD_CODEC_DIALOG");
  return TRUE;
}

void CCodecDialog::OnProperties() {
  auto* graph = dynamic_cast<CDirectShow*>(media_);
  HWND list = Item(IDC_LIST_CODEC);
  if (!graph || SendMessageW(list, LB_GETCOUNT, 0, 0) <= 0) return;
  const LRESULT selected = SendMessageW(list, LB_GETCURSEL, 0, 0);
  if (selected == LB_ERR) return;
  const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(selected), 0);
  if (length == LB_ERR) return;
  std::wstring name(static_cast<size_t>(length) + 1, L'\0');
  SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(name.data()));
  name.resize(static_cast<size_t>(length));
  graph->ShowFilterProperties(name, hwnd_);
}

void CCodecDialog::OnClose() { EndDialog(IDCANCEL); }
