// The fixed key map: every key of the window, its Ctrl variant, and the
// arrow and Enter keys that serve DVD menus only when a DVD is open.
#include "player/KeyMap.h"

#include "res/resource.h"

#include <gtest/gtest.h>

using zv::ActionForKey;
using zv::KeyActionKind;

namespace {

uint32_t CommandOf(uint64_t key, bool control = false, bool dvd = false) {
  const zv::KeyAction action = ActionForKey(key, control, dvd);
  return action.kind == KeyActionKind::Command ? action.command : 0;
}

}  // namespace

TEST(KeyMap, PlainKeysRunTheirCommands) {
  const struct {
    uint64_t key;
    uint32_t command;
  } kMap[] = {
      {0x20, IDM_WIEDERGABE_WIEDERGABE_PAUSE},
      {0x65, IDM_WIEDERGABE_WIEDERGABE_PAUSE},  // Num 5 does what Space does
      {0x23, IDM_WIEDERGABE_SPRINGEZUMARKIERUNGSVIDEOENDE},
      {0x24, IDM_WIEDERGABE_SPRINGEZUMARKIERUNGSVIDEOANFANG},
      {0x25, IDM_VIDEO_VERKLEINERN_LINKSRECHTS},
      {0x26, IDM_VIDEO_VERGROESSERN_OBENUNTEN},
      {0x27, IDM_VIDEO_VERGROESSERN_LINKSRECHTS},
      {0x28, IDM_VIDEO_VERKLEINERN_OBENUNTEN},
      {0x2D, IDM_DATEI_OEFFNEN},
      {0x2E, IDM_WIEDERGABE_ALLESMARKIEREN},
      {'A', IDM_VIDEO_ASPECTRATIO},
      {'E', IDM_VIDEO_EIGENSCHAFTEN},
      {'F', IDM_VIDEO_TOGGLECLIPPINGFULL},
      {'I', IDM_WIEDERGABE_MARKIERUNGSANFANGSETZEN},
      {'J', IDM_WIEDERGABE_SPRINGELETZTESTELLE},
      {'K', IDM_ANSICHT_VIDEOPUR},
      {'L', IDM_WIEDERGABE_ENDLOSSCHLEIFE},
      {'M', IDM_AUDIO_STUMM},
      {'O', IDM_WIEDERGABE_MARKIERUNGSENDESETZEN},
      {'R', IDM_VIDEO_RESET},
      {'S', IDM_WIEDERGABE_STOPP},
      {'T', IDM_ANSICHT_IMMEROBEN},
      {'V', IDM_ANSICHT_VOLLBILD},
      {'X', IDM_WIEDERGABE_SCHNELLESVORSPULEN},
      {'Y', IDM_WIEDERGABE_SCHNELLESZURUECKSPULEN},
      {0x61, IDM_PLAYLIST_ERSTERTITEL},
      {0x63, IDM_PLAYLIST_LETZTERTITEL},
      {0x64, IDTBB_PREVTRACKCHAPTER},
      {0x66, IDTBB_NEXTTRACKCHAPTER},
      {0x67, IDM_PLAYSPEED_PLAYSLOWFORWARDS},
      {0x68, IDM_WIEDERGABE_NORMAL},
      {0x69, IDM_PLAYSPEED_PLAYFASTFORWARDS},
      {0x6B, IDM_AUDIO_LAUTER},
      {0x6D, IDM_AUDIO_LEISER},
      {0x73, IDM_ANSICHT_TITLEBAR},
      {0x74, IDM_ANSICHT_MENUBAR},
      {0x75, IDM_ANSICHT_POSITIONSBAR},
      {0x76, IDM_ANSICHT_TOOLBAR},
      {0x77, IDM_ANSICHT_STATUSBAR},
      {0x7B, IDM_VIDEO_SCREENSHOT},
  };
  for (const auto& entry : kMap) {
    EXPECT_EQ(CommandOf(entry.key), entry.command) << "key " << entry.key;
    // A DVD changes nothing for them.
    EXPECT_EQ(CommandOf(entry.key, false, true), entry.command) << "key " << entry.key;
  }
}

TEST(KeyMap, KeysOutsideTheMapDoNothing) {
  int mapped = 0;
  for (uint64_t key = 0; key <= 0xFF; ++key)
    if (ActionForKey(key, false, true).kind != KeyActionKind::None) ++mapped;
  // 40 commands, Enter, Ctrl, Escape and the context-menu key.
  EXPECT_EQ(mapped, 44);
  for (uint64_t key : {0x100ull, 0x10020ull, 0x100000020ull, ~0ull})
    EXPECT_EQ(ActionForKey(key, true, true).kind, KeyActionKind::None) << key;
  for (uint64_t key : {0x60ull, 0x62ull, 0x70ull, 0x72ull, 0x78ull, 0x7Aull, 0x42ull, 0x5Aull, 0x35ull})
    EXPECT_EQ(ActionForKey(key, false, false).kind, KeyActionKind::None) << key;
}

TEST(KeyMap, CtrlMakesSFullVolumeAndShutdownAndLeavesOthers) {
  EXPECT_EQ(CommandOf('S', true), static_cast<uint32_t>(IDM_WIEDERGABE_SHUTDOWN));
  EXPECT_EQ(ActionForKey('M', true, false).kind, KeyActionKind::FullVolume);
  // Ctrl+Space is play (the play command then counts down the delay).
  EXPECT_EQ(CommandOf(0x20, true), static_cast<uint32_t>(IDM_WIEDERGABE_WIEDERGABE_PAUSE));
  EXPECT_EQ(CommandOf(0x6B, true), static_cast<uint32_t>(IDM_AUDIO_LAUTER));
}

TEST(KeyMap, CtrlArrowsMoveTheDvdSelectionAndNeverZoom) {
  const struct {
    uint64_t key;
    int direction;
  } kArrows[] = {{0x26, 1}, {0x28, 2}, {0x25, 3}, {0x27, 4}};
  for (const auto& arrow : kArrows) {
    const zv::KeyAction withDvd = ActionForKey(arrow.key, true, true);
    EXPECT_EQ(withDvd.kind, KeyActionKind::DvdSelect);
    EXPECT_EQ(withDvd.dvdDirection, arrow.direction);
    EXPECT_EQ(ActionForKey(arrow.key, true, false).kind, KeyActionKind::None);
  }
}

TEST(KeyMap, EnterActivatesOnlyOnADvdAndTheOtherKeysActDirectly) {
  EXPECT_EQ(ActionForKey(0x0D, false, true).kind, KeyActionKind::DvdActivate);
  EXPECT_EQ(ActionForKey(0x0D, false, false).kind, KeyActionKind::None);
  EXPECT_EQ(ActionForKey(0x11, false, false).kind, KeyActionKind::ControlDown);
  EXPECT_EQ(ActionForKey(0x1B, false, false).kind, KeyActionKind::LeaveFullscreen);
  EXPECT_EQ(ActionForKey(0x5D, false, false).kind, KeyActionKind::ContextMenu);
}
