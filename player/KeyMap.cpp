#include "player/KeyMap.h"

#include "res/resource.h"

namespace zv {
namespace {

KeyAction Command(uint32_t id) { return KeyAction{KeyActionKind::Command, id, 0}; }
KeyAction Act(KeyActionKind kind) { return KeyAction{kind, 0, 0}; }

// Arrows: with Ctrl they move the DVD menu selection (and do nothing without
// a DVD), without it they zoom the picture.
KeyAction Arrow(bool controlHeld, bool dvdOpen, int direction, uint32_t zoomCommand) {
  if (!controlHeld) return Command(zoomCommand);
  if (!dvdOpen) return {};
  return KeyAction{KeyActionKind::DvdSelect, 0, direction};
}

KeyAction Letter(char letter, bool controlHeld) {
  switch (letter) {
    case 'A': return Command(IDM_VIDEO_ASPECTRATIO);
    case 'E': return Command(IDM_VIDEO_EIGENSCHAFTEN);
    case 'F': return Command(IDM_VIDEO_TOGGLECLIPPINGFULL);
    case 'I': return Command(IDM_WIEDERGABE_MARKIERUNGSANFANGSETZEN);
    case 'J': return Command(IDM_WIEDERGABE_SPRINGELETZTESTELLE);
    case 'K': return Command(IDM_ANSICHT_VIDEOPUR);
    case 'L': return Command(IDM_WIEDERGABE_ENDLOSSCHLEIFE);
    case 'M': return controlHeld ? Act(KeyActionKind::FullVolume) : Command(IDM_AUDIO_STUMM);
    case 'O': return Command(IDM_WIEDERGABE_MARKIERUNGSENDESETZEN);
    case 'R': return Command(IDM_VIDEO_RESET);
    case 'S': return Command(controlHeld ? IDM_WIEDERGABE_SHUTDOWN : IDM_WIEDERGABE_STOPP);
    case 'T': return Command(IDM_ANSICHT_IMMEROBEN);
    case 'V': return Command(IDM_ANSICHT_VOLLBILD);
    case 'X': return Command(IDM_WIEDERGABE_SCHNELLESVORSPULEN);
    case 'Y': return Command(IDM_WIEDERGABE_SCHNELLESZURUECKSPULEN);
    default: return {};
  }
}

KeyAction NumberPad(int digit) {
  switch (digit) {
    case 1: return Command(IDM_PLAYLIST_ERSTERTITEL);
    case 3: return Command(IDM_PLAYLIST_LETZTERTITEL);
    case 4: return Command(IDTBB_PREVTRACKCHAPTER);
    case 5: return Command(IDM_WIEDERGABE_WIEDERGABE_PAUSE);
    case 6: return Command(IDTBB_NEXTTRACKCHAPTER);
    case 7: return Command(IDM_PLAYSPEED_PLAYSLOWFORWARDS);
    case 8: return Command(IDM_WIEDERGABE_NORMAL);
    case 9: return Command(IDM_PLAYSPEED_PLAYFASTFORWARDS);
    default: return {};
  }
}

KeyAction FunctionKey(int number) {
  switch (number) {
    case 4: return Command(IDM_ANSICHT_TITLEBAR);
    case 5: return Command(IDM_ANSICHT_MENUBAR);
    case 6: return Command(IDM_ANSICHT_POSITIONSBAR);
    case 7: return Command(IDM_ANSICHT_TOOLBAR);
    case 8: return Command(IDM_ANSICHT_STATUSBAR);
    case 12: return Command(IDM_VIDEO_SCREENSHOT);
    default: return {};
  }
}

}  // namespace

KeyAction ActionForKey(uint64_t key, bool controlHeld, bool dvdOpen) {
  if (key > 0xFF) return {};
  if (key >= 'A' && key <= 'Z') return Letter(static_cast<char>(key), controlHeld);
  if (key >= vk::kNumpad0 && key <= vk::kNumpad0 + 9) return NumberPad(static_cast<int>(key - vk::kNumpad0));
  if (key >= vk::kF1 && key <= vk::kF1 + 11) return FunctionKey(static_cast<int>(key - vk::kF1) + 1);
  switch (key) {
    case vk::kReturn: return dvdOpen ? Act(KeyActionKind::DvdActivate) : KeyAction{};
    case vk::kControl: return Act(KeyActionKind::ControlDown);
    case vk::kEscape: return Act(KeyActionKind::LeaveFullscreen);
    case vk::kSpace: return Command(IDM_WIEDERGABE_WIEDERGABE_PAUSE);
    case vk::kEnd: return Command(IDM_WIEDERGABE_SPRINGEZUMARKIERUNGSVIDEOENDE);
    case vk::kHome: return Command(IDM_WIEDERGABE_SPRINGEZUMARKIERUNGSVIDEOANFANG);
    case vk::kLeft: return Arrow(controlHeld, dvdOpen, 3, IDM_VIDEO_VERKLEINERN_LINKSRECHTS);
    case vk::kUp: return Arrow(controlHeld, dvdOpen, 1, IDM_VIDEO_VERGROESSERN_OBENUNTEN);
    case vk::kRight: return Arrow(controlHeld, dvdOpen, 4, IDM_VIDEO_VERGROESSERN_LINKSRECHTS);
    case vk::kDown: return Arrow(controlHeld, dvdOpen, 2, IDM_VIDEO_VERKLEINERN_OBENUNTEN);
    case vk::kInsert: return Command(IDM_DATEI_OEFFNEN);
    case vk::kDelete: return Command(IDM_WIEDERGABE_ALLESMARKIEREN);
    case vk::kApps: return Act(KeyActionKind::ContextMenu);
    case vk::kAdd: return Command(IDM_AUDIO_LAUTER);
    case vk::kSubtract: return Command(IDM_AUDIO_LEISER);
    default: return {};
  }
}

}  // namespace zv
