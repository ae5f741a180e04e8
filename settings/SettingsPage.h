#pragma once
// What the pages of the settings dialog share: the text lookup, the dialog's
// working copy of the settings, creation as a child of the dialog, and small
// helpers for their controls. A page writes into the working copy as soon as
// one of its controls changes; it has no OK or cancel of its own (Enter and
// Escape belong to the settings dialog).
#include "framework/Dialog.h"

#include <string>
#include <vector>

class CSettings;
class LanguageTable;

class CSettingsPage : public fw::Dialog {
 public:
  CSettingsPage(UINT templateId, LanguageTable* language, CSettings* settings, HWND parent);

 protected:
  void OnOK() override {}
  void OnCancel() override {}

  // A message text of the active language ([Code]); empty without one.
  std::wstring Text(const char16_t* key) const;
  // Translates the page's controls from its own section of the language.
  void Translate(const char16_t* section);

  bool Checked(int id) const;
  void SetChecked(int id, bool checked) const;
  // Drop-down lists.
  void FillList(int id, const std::vector<std::wstring>& entries) const;
  int Selection(int id) const;  // -1 when nothing is selected
  void Select(int id, int index) const;
  std::wstring SelectionText(int id) const;

  LanguageTable* language_;
  CSettings* settings_;
  // Set while the page fills its controls, so that the notifications this
  // causes are not taken for the user's changes.
  bool filling_ = false;
};
