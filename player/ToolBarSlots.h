#pragma once
// The 22 slots of the player window's toolbar, in order: the command, the
// button-table records that give the initial picture and tooltip, and the
// initial state. Separators carry IDTBB_SEP and no names.
#include <cstddef>

namespace zv {

struct ToolBarSlot {
  int command;
  const char16_t* pictureName;  // null for a separator
  const char16_t* tooltipName;  // null for a separator
  bool enabled;                 // false: greyed (indeterminate) until media opens
  bool IsSeparator() const { return pictureName == nullptr; }
};

constexpr size_t kToolBarSlotCount = 22;
extern const ToolBarSlot kToolBarSlots[kToolBarSlotCount];

}  // namespace zv
