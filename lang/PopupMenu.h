#pragma once
// The registry of the player window's named pop-up menus: the six pop-ups of
// the menu bar and the sub-menus that replace command items of the menu
// resources. Pop-ups have no command id, so translation and the window's own
// code find them here by their symbolic name (or the number it stands for):
// for each tree (main menu, context menu) the menu holding the pop-up, the
// pop-up itself and its position there.
#include "framework/WinInclude.h"

#include <string>
#include <vector>

class CPopupMenu {
 public:
  enum Tree { kMainMenu = 0, kContextMenu = 1 };

  struct Record {
    std::u16string name;  // e.g. IDM_WIEDERGABE_STREAMS_AUDIO
    UINT id = 0;          // the number of that name in the resource header
    HMENU parent[2] = {};
    HMENU popup[2] = {};
    int position[2] = {-1, -1};
  };

  // Registers the pop-up of one tree; a second call for the same name fills
  // in the other tree of the same record.
  void Add(const std::u16string& name, UINT id, Tree tree, HMENU parent, int position, HMENU popup);
  void Clear() { records_.clear(); }

  // Names compare without regard to case; null when not registered.
  const Record* Find(const std::u16string& name) const;
  const Record* Find(UINT id) const;
  // The pop-up menu of that name in one tree; null where it has none.
  HMENU Popup(UINT id, Tree tree) const;

  // Where the pop-up stands in its parent now: items inserted in front of it
  // at run time move it, so the position is looked up by the pop-up's handle
  // and the registered one is only the fallback. -1 where the tree has none.
  int PositionIn(const Record& record, Tree tree) const;

  // Whether the item at this position of this menu is the pop-up of that
  // name (for the window's menu-selection handling).
  bool Holds(HMENU menu, int position, const std::u16string& name) const;

  // Newest first.
  const std::vector<Record>& Records() const { return records_; }

 private:
  std::vector<Record> records_;
};
