#include "lang/DialogTranslation.h"

#include "framework/WideString.h"
#include "lang/LanguageTable.h"

namespace zv {

namespace {

struct ChildTranslation {
  const LanguageTable* language;
  const std::u16string* section;
};

void TranslateChild(HWND child, const ChildTranslation* job) {
  const int id = GetDlgCtrlID(child);
  const std::u16string name = job->language->NameOfNumber(id);
  if (name.empty()) return;
  const std::u16string text = job->language->Text(*job->section, name);
  if (!text.empty()) SetWindowTextW(child, fw::ToWide(text).c_str());
}

}  // namespace

void TranslateDialog(HWND dialog, const LanguageTable* language, const std::u16string& section) {
  if (!dialog || !language) return;
  const std::u16string caption = language->Text(section, u"ID_CAPTION");
  if (!caption.empty()) SetWindowTextW(dialog, fw::ToWide(caption).c_str());
  // Direct children only, in z-order: a page dialog nested inside (settings
  // pages) translates itself with its own section.
  ChildTranslation job{language, &section};
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    TranslateChild(child, &job);
}

}  // namespace zv
