#include "streaming/StreamingDlg.h"

#include "framework/WideString.h"
#include "lang/LanguageTable.h"
#include "res/resource.h"

FW_BEGIN_MESSAGE_MAP(StreamingDlg, fw::Dialog)
  FW_ON_COMMAND(IDC_BUTTON_STREAM, OnStream)
FW_END_MESSAGE_MAP()

StreamingDlg::StreamingDlg(const LanguageTable* language, HWND parent)
    : fw::Dialog(IDD_STREAMING, parent), language_(language) {}

BOOL StreamingDlg::OnInitDialog() {
  // The dialog has no section of its own: its caption is the program's
  // word for streaming; "URL" and "Stream" stay as the template has them.
  if (language_) {
    const std::u16string caption = language_->Message(u"STREAMING");
    if (!caption.empty()) SetText(fw::ToWide(caption));
  }
  SetItemText(IDC_EDIT_URL, address_);
  SetFocus(Item(IDC_EDIT_URL));
  return FALSE;  // the focus is set
}

void StreamingDlg::OnStream() {
  const std::wstring typed = ItemText(IDC_EDIT_URL);
  if (typed.empty()) return;
  address_ = typed;
  EndDialog(IDOK);
}
