#pragma once
// Message maps: a static table per class binds window messages, command ids
// and notifications to member functions. Tables chain to the base class's
// table, so a derived class sees its own entries first.
//
//   class CMyDlg : public fw::Dialog {
//     FW_DECLARE_MESSAGE_MAP()
//     LRESULT OnSize(WPARAM, LPARAM);
//     void OnStop();
//   };
//   FW_BEGIN_MESSAGE_MAP(CMyDlg, fw::Dialog)
//     FW_ON_MESSAGE(WM_SIZE, OnSize)
//     FW_ON_COMMAND(IDM_WIEDERGABE_STOPP, OnStop)
//   FW_END_MESSAGE_MAP()
#include "framework/WinInclude.h"

namespace fw {

class Window;

enum class MapEntryKind { Message, Command, CommandRange, Control, Notify };

struct MessageMapEntry {
  MapEntryKind kind;
  UINT message;   // window message (Message) or notification code (Control, Notify)
  UINT firstId;   // command or control id
  UINT lastId;    // last id of a range (equal to firstId otherwise)
  LRESULT (*call)(Window* self, UINT id, WPARAM wParam, LPARAM lParam);
};

struct MessageMap {
  const MessageMap* base;
  const MessageMapEntry* entries;  // ends with an entry whose call is null
};

// Finds the entry that handles a message, searching derived tables first.
const MessageMapEntry* FindEntry(const MessageMap* map, UINT message, WPARAM wParam, LPARAM lParam,
                                 UINT* id);

}  // namespace fw

#define FW_DECLARE_MESSAGE_MAP()                   \
 protected:                                        \
  static const fw::MessageMap* ClassMessageMap();  \
  const fw::MessageMap* GetMessageMap() const override;

#define FW_BEGIN_MESSAGE_MAP(Class, Base)                                                 \
  const fw::MessageMap* Class::GetMessageMap() const { return Class::ClassMessageMap(); } \
  const fw::MessageMap* Class::ClassMessageMap() {                                        \
    using ThisClass = Class;                                                              \
    using BaseClass = Base;                                                               \
    static const fw::MessageMapEntry entries[] = {
#define FW_END_MESSAGE_MAP()                                      \
  { fw::MapEntryKind::Message, 0, 0, 0, nullptr }                 \
  };                                                              \
  static const fw::MessageMap map = {BaseClass::ClassMessageMap(), entries}; \
  return &map;                                                    \
  }

// LRESULT Handler(WPARAM, LPARAM)
#define FW_ON_MESSAGE(msg, fn)                                                          \
  {fw::MapEntryKind::Message, msg, 0, 0, [](fw::Window* w, UINT, WPARAM wp, LPARAM lp) { \
     return static_cast<LRESULT>(static_cast<ThisClass*>(w)->fn(wp, lp));               \
   }},

// void Handler(): menu items, accelerators and button clicks of one id
#define FW_ON_COMMAND(id, fn)                                                           \
  {fw::MapEntryKind::Command, WM_COMMAND, id, id, [](fw::Window* w, UINT, WPARAM, LPARAM) { \
     static_cast<ThisClass*>(w)->fn();                                                  \
     return LRESULT{0};                                                                 \
   }},

// void Handler(UINT id): a range of command ids
#define FW_ON_COMMAND_RANGE(first, last, fn)                                                   \
  {fw::MapEntryKind::CommandRange, WM_COMMAND, first, last,                                    \
   [](fw::Window* w, UINT id, WPARAM, LPARAM) {                                                \
     static_cast<ThisClass*>(w)->fn(id);                                                       \
     return LRESULT{0};                                                                        \
   }},

// void Handler(): a control's WM_COMMAND notification (EN_CHANGE, LBN_DBLCLK ...)
#define FW_ON_CONTROL(code, id, fn)                                                   \
  {fw::MapEntryKind::Control, code, id, id, [](fw::Window* w, UINT, WPARAM, LPARAM) { \
     static_cast<ThisClass*>(w)->fn();                                                \
     return LRESULT{0};                                                               \
   }},

// LRESULT Handler(NMHDR*): a WM_NOTIFY notification of one control
#define FW_ON_NOTIFY(code, id, fn)                                                     \
  {fw::MapEntryKind::Notify, static_cast<UINT>(code), id, id,                          \
   [](fw::Window* w, UINT, WPARAM, LPARAM lp) {                                        \
     return static_cast<LRESULT>(static_cast<ThisClass*>(w)->fn(reinterpret_cast<NMHDR*>(lp))); \
   }},
