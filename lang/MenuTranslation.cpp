#include "lang/MenuTranslation.h"

#include "framework/Menu.h"
#include "framework/WideString.h"
#include "lang/LanguageTable.h"
#include "lang/PopupMenu.h"
#include "res/resource.h"

namespace zv {

namespace {

void RenamePopup(const CPopupMenu& popups, const CPopupMenu::Record& record, const std::wstring& text) {
  for (CPopupMenu::Tree tree : {CPopupMenu::kMainMenu, CPopupMenu::kContextMenu}) {
    const int position = popups.PositionIn(record, tree);
    if (position >= 0) fw::SetItemTextAt(record.parent[tree], position, text);
  }
}

void RenameCommand(HMENU menu, UINT id, const std::wstring& text) {
  if (menu && GetMenuState(menu, id, MF_BYCOMMAND) != static_cast<UINT>(-1)) fw::SetItemText(menu, id, text);
}

}  // namespace

void TranslateMenus(HMENU mainMenu, HMENU contextMenu, const CPopupMenu& popups, const LanguageTable* language) {
  if (!language) return;
  language->ForEachEntry(u"MainMenu", true, [&](const std::u16string& key, const std::u16string& value) {
    const std::wstring text = fw::ToWide(value);
    if (const CPopupMenu::Record* record = popups.Find(key)) {
      RenamePopup(popups, *record, text);
      return;
    }
    const int32_t id = language->NumberOfName(key);
    if (id < 0) return;
    RenameCommand(mainMenu, static_cast<UINT>(id), text);
    RenameCommand(contextMenu, static_cast<UINT>(id), text);
  });
  const std::u16string deleteList = language->Message(u"DELLIST");
  if (!deleteList.empty()) RenameCommand(mainMenu, ID_RECENT_CLEAR, fw::ToWide(deleteList));
}

}  // namespace zv
