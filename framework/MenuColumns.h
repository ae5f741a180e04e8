#pragma once
// Pop-up menus whose items show the text after a tab (the shortcut) in a
// right-aligned column of its own, apart from the labels.
//
// The system's own layout puts the shortcuts in a left-aligned column that
// starts one average character after the widest label; Wine also draws that
// column without the menu's margin, so the widest label runs into its
// shortcut ("Last Played Position J"). Here the text items of a pop-up are
// made owner-drawn when the pop-up opens and drawn with a fixed gap between
// the columns, the same on every platform. Each item keeps its text as its
// menu string, so reading, renaming and mnemonics work as before.
#include "framework/Handle.h"
#include "framework/WinInclude.h"

#include <map>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

namespace fw {

class MenuColumns {
 public:
  MenuColumns() = default;
  MenuColumns(const MenuColumns&) = delete;
  MenuColumns& operator=(const MenuColumns&) = delete;

  // WM_INITMENUPOPUP, after the owner filled the pop-up: takes over the
  // drawing of its text items and measures their columns.
  void Prepare(HMENU popup);
  // WM_MEASUREITEM, WM_DRAWITEM: true when the item was one of ours.
  bool Measure(MEASUREITEMSTRUCT* item);
  bool Draw(const DRAWITEMSTRUCT* item);
  // WM_MENUCHAR: the item whose mnemonic is the character, as the system's
  // answer (MNC_EXECUTE with its position), or MNC_IGNORE.
  LRESULT MenuChar(wchar_t character, HMENU menu) const;

  // The column layout of a pop-up as last prepared, in pixels.
  struct Layout {
    int labelLeft = 0;       // from the item's left edge
    int labelWidth = 0;      // widest label
    int gap = 0;             // between the columns
    int shortcutWidth = 0;   // widest shortcut
    int rightMargin = 0;     // room for a sub-menu arrow
    int itemHeight = 0;
  };
  bool LayoutOf(HMENU popup, Layout* layout) const;

 private:
  struct Item {
    HMENU popup;
    std::wstring label;
    std::wstring shortcut;
  };
  struct Popup {
    Layout layout;
    std::vector<std::unique_ptr<Item>> items;
  };

  HFONT MenuFont();
  Popup* Owner(const Item* item);

  std::map<HMENU, Popup> popups_;
  std::unordered_set<const Item*> live_;
  GdiObject font_;
  GdiObject checkFont_;
};

// The label and the shortcut of a menu text ("&Open...\tINS"); the shortcut
// is empty without a tab.
void SplitMenuText(const std::wstring& text, std::wstring* label, std::wstring* shortcut);

}  // namespace fw
