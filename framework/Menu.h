#pragma once
// Helpers for menus addressed by command id (items) or by position (pop-ups).
#include "framework/WinInclude.h"

#include <string>

namespace fw {

void CheckItem(HMENU menu, UINT id, bool checked);
void EnableItem(HMENU menu, UINT id, bool enabled);
bool IsItemChecked(HMENU menu, UINT id);
bool IsItemEnabled(HMENU menu, UINT id);
std::wstring ItemText(HMENU menu, UINT id);
void SetItemText(HMENU menu, UINT id, const std::wstring& text);
// Text of the item at a position (pop-ups have no command id).
std::wstring ItemTextAt(HMENU menu, int position);
void SetItemTextAt(HMENU menu, int position, const std::wstring& text);
// Finds the pop-up that holds the item with this id, anywhere below menu.
HMENU FindSubMenuHolding(HMENU menu, UINT id);
void RemoveAllItems(HMENU menu);

}  // namespace fw
