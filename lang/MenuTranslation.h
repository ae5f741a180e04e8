#pragma once
// Translating the player window's two menus from the active language's
// [MainMenu] section. Items are matched by the symbolic names of the
// resource header, never by numbers in the language file.
#include "framework/WinInclude.h"

class CPopupMenu;
class LanguageTable;

namespace zv {

// A key naming a registered pop-up renames that pop-up in each menu that has
// it, at the place it stands now (its sub-menu and grey state stay); any
// other key names a command, whose item in both menus takes the text with
// its check mark and grey state. A key that is not in the name table, or a
// missing section, changes nothing. The recent list's delete entry takes
// DELLIST from [Code] (main menu only). When a key is given twice, its first
// line wins. Nothing happens without a language.
void TranslateMenus(HMENU mainMenu, HMENU contextMenu, const CPopupMenu& popups, const LanguageTable* language);

}  // namespace zv
