#pragma once
// The player window's fixed key map: what a key pressed in the window does,
// given whether Ctrl is held and whether a DVD is open. Keys are the
// platform's virtual-key codes; most keys run a command of the menus or the
// toolbar, a few act directly.
#include <cstdint>

namespace zv {

// Virtual-key codes the map knows (the values of the platform's keyboard layer).
namespace vk {
constexpr uint32_t kReturn = 0x0D;
constexpr uint32_t kControl = 0x11;
constexpr uint32_t kEscape = 0x1B;
constexpr uint32_t kSpace = 0x20;
constexpr uint32_t kEnd = 0x23;
constexpr uint32_t kHome = 0x24;
constexpr uint32_t kLeft = 0x25;
constexpr uint32_t kUp = 0x26;
constexpr uint32_t kRight = 0x27;
constexpr uint32_t kDown = 0x28;
constexpr uint32_t kInsert = 0x2D;
constexpr uint32_t kDelete = 0x2E;
constexpr uint32_t kApps = 0x5D;  // the context-menu key
constexpr uint32_t kNumpad0 = 0x60;
constexpr uint32_t kAdd = 0x6B;       // Num +
constexpr uint32_t kSubtract = 0x6D;  // Num -
constexpr uint32_t kF1 = 0x70;
}  // namespace vk

enum class KeyActionKind {
  None,             // the key does nothing
  Command,          // run `command` as if its menu item or button was chosen
  ControlDown,      // Ctrl went down: remember it until it goes up
  LeaveFullscreen,  // only when in fullscreen
  DvdSelect,        // select the DVD menu button in `dvdDirection`
  DvdActivate,      // activate the selected DVD menu button
  FullVolume,       // set the volume to full and apply it
  ContextMenu,      // show the context menu at the cursor
};

struct KeyAction {
  KeyActionKind kind = KeyActionKind::None;
  uint32_t command = 0;  // for Command
  int dvdDirection = 0;  // for DvdSelect: 1 upper, 2 lower, 3 left, 4 right
};

// The action of a key that went down. Keys outside the map, and codes that
// are no key at all, give None.
KeyAction ActionForKey(uint64_t key, bool controlHeld, bool dvdOpen);

}  // namespace zv
