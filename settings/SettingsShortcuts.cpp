#include "settings/SettingsShortcuts.h"

#include "res/resource.h"

#include <commctrl.h>

CSettingsShortcuts::CSettingsShortcuts(LanguageTable* language, CSettings* settings, HWND parent)
    : CSettingsPage(IDD_SETTINGS_SHORTCUTS, language, settings, parent) {}

BOOL CSettingsShortcuts::OnInitDialog() {
  HWND list = Item(IDC_LIST_SHORTCUTS);
  ListView_SetExtendedListViewStyle(list, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  struct Column {
    const wchar_t* title;
    int width;
  };
  static const Column kColumns[] = {{L"Function", 110}, {L"Key", 50}, {L"WinLIRC", 70}, {L"Girder", 70}};
  int index = 0;
  for (const Column& column : kColumns) {
    LVCOLUMNW lvc{};
    lvc.mask = LVCF_TEXT | LVCF_WIDTH;
    lvc.pszText = const_cast<wchar_t*>(column.title);
    lvc.cx = column.width;
    ListView_InsertColumn(list, index++, &lvc);
  }
  static const wchar_t* const kRows[] = {L"Play/Pause", L"Pos1"};
  index = 0;
  for (const wchar_t* row : kRows) {
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = index++;
    item.pszText = const_cast<wchar_t*>(row);
    ListView_InsertItem(list, &item);
  }
  // There is no section for this page: its texts stay as they are.
  Translate(u"IDD_SETTINGS_SHORTCUTS");
  return TRUE;
}
