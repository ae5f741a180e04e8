#include "settings/SettingsPage.h"

#include "framework/WideString.h"
#include "lang/DialogTranslation.h"
#include "lang/LanguageTable.h"

#include <commctrl.h>

CSettingsPage::CSettingsPage(UINT templateId, LanguageTable* language, CSettings* settings, HWND parent)
    : fw::Dialog(templateId, parent), language_(language), settings_(settings) {}

std::wstring CSettingsPage::Text(const char16_t* key) const {
  return language_ ? fw::ToWide(language_->Message(key)) : std::wstring();
}

void CSettingsPage::Translate(const char16_t* section) { zv::TranslateDialog(hwnd_, language_, section); }

bool CSettingsPage::Checked(int id) const {
  return SendMessageW(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void CSettingsPage::SetChecked(int id, bool checked) const {
  SendMessageW(Item(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void CSettingsPage::FillList(int id, const std::vector<std::wstring>& entries) const {
  HWND list = Item(id);
  SendMessageW(list, CB_RESETCONTENT, 0, 0);
  for (const std::wstring& entry : entries)
    SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
}

int CSettingsPage::Selection(int id) const {
  const LRESULT index = SendMessageW(Item(id), CB_GETCURSEL, 0, 0);
  return index == CB_ERR ? -1 : static_cast<int>(index);
}

void CSettingsPage::Select(int id, int index) const { SendMessageW(Item(id), CB_SETCURSEL, index, 0); }

std::wstring CSettingsPage::SelectionText(int id) const {
  const int index = Selection(id);
  if (index < 0) return {};
  HWND list = Item(id);
  const LRESULT length = SendMessageW(list, CB_GETLBTEXTLEN, index, 0);
  if (length == CB_ERR) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const LRESULT got = SendMessageW(list, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(got == CB_ERR ? 0 : static_cast<size_t>(got));
  return text;
}
