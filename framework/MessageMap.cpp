#include "framework/MessageMap.h"

namespace fw {

static bool Matches(const MessageMapEntry& e, UINT message, WPARAM wParam, LPARAM lParam, UINT* id) {
  switch (e.kind) {
    case MapEntryKind::Message:
      return e.message == message;
    case MapEntryKind::Command:
    case MapEntryKind::CommandRange: {
      if (message != WM_COMMAND) return false;
      // Menus send code 0, accelerators 1, buttons BN_CLICKED (0).
      if (HIWORD(wParam) > 1) return false;
      *id = LOWORD(wParam);
      return *id >= e.firstId && *id <= e.lastId;
    }
    case MapEntryKind::Control:
      if (message != WM_COMMAND) return false;
      *id = LOWORD(wParam);
      return HIWORD(wParam) == e.message && *id == e.firstId;
    case MapEntryKind::Notify: {
      if (message != WM_NOTIFY || lParam == 0) return false;
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      *id = static_cast<UINT>(header->idFrom);
      return header->code == e.message && *id == e.firstId;
    }
  }
  return false;
}

const MessageMapEntry* FindEntry(const MessageMap* map, UINT message, WPARAM wParam, LPARAM lParam,
                                 UINT* id) {
  for (; map; map = map->base) {
    for (const MessageMapEntry* e = map->entries; e->call; ++e) {
      if (Matches(*e, message, wParam, lParam, id)) return e;
    }
  }
  return nullptr;
}

}  // namespace fw
