#include "lang/PopupMenu.h"

#include "app/TextUtil.h"

void CPopupMenu::Add(const std::u16string& name, UINT id, Tree tree, HMENU parent, int position, HMENU popup) {
  for (Record& record : records_) {
    if (!zv::EqualsNoCase(record.name, name)) continue;
    record.parent[tree] = parent;
    record.popup[tree] = popup;
    record.position[tree] = position;
    return;
  }
  Record record;
  record.name = name;
  record.id = id;
  record.parent[tree] = parent;
  record.popup[tree] = popup;
  record.position[tree] = position;
  records_.insert(records_.begin(), std::move(record));
}

const CPopupMenu::Record* CPopupMenu::Find(const std::u16string& name) const {
  for (const Record& record : records_)
    if (zv::EqualsNoCase(record.name, name)) return &record;
  return nullptr;
}

const CPopupMenu::Record* CPopupMenu::Find(UINT id) const {
  for (const Record& record : records_)
    if (record.id == id) return &record;
  return nullptr;
}

HMENU CPopupMenu::Popup(UINT id, Tree tree) const {
  const Record* record = Find(id);
  return record ? record->popup[tree] : nullptr;
}

int CPopupMenu::PositionIn(const Record& record, Tree tree) const {
  HMENU parent = record.parent[tree];
  if (!parent) return -1;
  const int count = GetMenuItemCount(parent);
  if (record.popup[tree]) {
    for (int i = 0; i < count; ++i)
      if (GetSubMenu(parent, i) == record.popup[tree]) return i;
  }
  return record.position[tree] < count ? record.position[tree] : -1;
}

bool CPopupMenu::Holds(HMENU menu, int position, const std::u16string& name) const {
  const Record* record = Find(name);
  if (!record || !menu) return false;
  for (Tree tree : {kMainMenu, kContextMenu}) {
    if (record->parent[tree] == menu && PositionIn(*record, tree) == position) return true;
  }
  return false;
}
