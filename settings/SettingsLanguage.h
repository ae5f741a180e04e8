#pragma once
// The language page: lists the built-in languages and the language files in
// the program's folder. As a page of the settings dialog a click writes the
// choice into the dialog's working copy; standalone (at a first start, or
// when the stored language cannot be loaded) it is a modal dialog of its
// own that loads the chosen language at once and closes.
#include "framework/Dialog.h"

#include <forward_list>
#include <string>

class CSettings;
class LanguageTable;

class CSettingsLanguage : public fw::Dialog {
 public:
  struct Entry {
    int ResourceId = 0;     // built-in: the "LNG" resource number
    std::wstring FilePath;  // file: its full path
    int Kind = 0;           // 0 built-in, 1 file (the values of LanguageType)
  };

  // parent: the settings dialog in page mode, none standalone.
  CSettingsLanguage(LanguageTable* language, CSettings* settings, HWND parent);

  // Runs the page as a modal dialog of its own; IDOK when a language was
  // chosen and loaded.
  INT_PTR RunStandalone();

  int Standalone = 0;

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;

 private:
  FW_DECLARE_MESSAGE_MAP()
  void OnButtonOk();
  LRESULT OnListClick(NMHDR*);
  LRESULT OnListDoubleClick(NMHDR*);

  void AddColumns();
  void AddImageList();
  void AddBuiltInLanguages();
  void AddLanguageFiles();
  // Adds a row for the entry with the [File] texts of the language read from
  // bytes (empty texts when they do not parse); selects it when asked.
  void AddRow(Entry& entry, int icon, const LanguageTable& texts, bool select);
  void FitFirstColumn();
  void SelectLocaleLanguage();
  void MakeStandaloneWindow();
  void MakeChildPage();
  Entry* SelectedEntry() const;
  // Writes the entry's values into the settings record.
  void StoreChoice(const Entry& entry);
  // Standalone: loads the selected language and closes with OK.
  void ChooseSelected();

  HWND list_ = nullptr;
  LanguageTable* language_;
  CSettings* settings_;
  std::forward_list<Entry> entries_;
};
