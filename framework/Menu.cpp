#include "framework/Menu.h"

#include <vector>

namespace fw {

void CheckItem(HMENU menu, UINT id, bool checked) {
  CheckMenuItem(menu, id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void EnableItem(HMENU menu, UINT id, bool enabled) {
  EnableMenuItem(menu, id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

bool IsItemChecked(HMENU menu, UINT id) {
  const UINT state = GetMenuState(menu, id, MF_BYCOMMAND);
  return state != static_cast<UINT>(-1) && (state & MF_CHECKED);
}

bool IsItemEnabled(HMENU menu, UINT id) {
  const UINT state = GetMenuState(menu, id, MF_BYCOMMAND);
  return state != static_cast<UINT>(-1) && !(state & (MF_GRAYED | MF_DISABLED));
}

static std::wstring TextOfItem(HMENU menu, UINT item, bool byPosition) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_STRING;
  if (!GetMenuItemInfoW(menu, item, byPosition, &info)) return {};
  std::vector<wchar_t> buffer(info.cch + 1);
  info.dwTypeData = buffer.data();
  info.cch = static_cast<UINT>(buffer.size());
  if (!GetMenuItemInfoW(menu, item, byPosition, &info)) return {};
  return std::wstring(buffer.data(), info.cch);
}

static void SetTextOfItem(HMENU menu, UINT item, bool byPosition, const std::wstring& text) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_STRING;
  info.dwTypeData = const_cast<wchar_t*>(text.c_str());
  SetMenuItemInfoW(menu, item, byPosition, &info);
}

std::wstring ItemText(HMENU menu, UINT id) { return TextOfItem(menu, id, false); }
void SetItemText(HMENU menu, UINT id, const std::wstring& text) { SetTextOfItem(menu, id, false, text); }
std::wstring ItemTextAt(HMENU menu, int position) {
  return TextOfItem(menu, static_cast<UINT>(position), true);
}
void SetItemTextAt(HMENU menu, int position, const std::wstring& text) {
  SetTextOfItem(menu, static_cast<UINT>(position), true, text);
}

HMENU FindSubMenuHolding(HMENU menu, UINT id) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    if (GetMenuItemID(menu, i) == id) return menu;
    if (HMENU sub = GetSubMenu(menu, i)) {
      if (HMENU found = FindSubMenuHolding(sub, id)) return found;
    }
  }
  return nullptr;
}

void RemoveAllItems(HMENU menu) {
  while (GetMenuItemCount(menu) > 0) {
    if (!DeleteMenu(menu, 0, MF_BYPOSITION)) break;
  }
}

}  // namespace fw
