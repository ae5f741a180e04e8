#include "player/ToolBarSlots.h"

#include "res/resource.h"

namespace zv {

// A two-state button starts with the picture of its current state and the
// tooltip of the action a click performs.
const ToolBarSlot kToolBarSlots[kToolBarSlotCount] = {
    {IDTBB_OPEN, u"Open", u"Open", true},
    {IDTBB_SEP, nullptr, nullptr, true},
    {IDTBB_PREVTRACKCHAPTER, u"PrevTrackChapter", u"PrevTrackChapter", false},
    {IDTBB_FASTBACKWARD, u"FastRewind", u"FastRewind", false},
    {IDTBB_PLAY, u"Play", u"Play", false},
    {IDTBB_PAUSE, u"Pause", u"Pause", false},
    {IDTBB_STOP, u"Stop", u"Stop", false},
    {IDTBB_FASTFORWARD, u"FastForward", u"FastForward", false},
    {IDTBB_NEXTTRACKCHAPTER, u"NextTrackChapter", u"NextTrackChapter", false},
    {IDTBB_SEP, nullptr, nullptr, true},
    {IDTBB_ROOTMENU, u"RootMenu", u"RootMenu", false},
    {IDTBB_RESUME, u"Resume", u"Resume", false},
    {IDTBB_LOOP, u"NoLoop", u"Loop", true},
    {IDTBB_JUMPLASTPOSITION, u"JumpLastPosition", u"JumpLastPosition", false},
    {IDTBB_SEP, nullptr, nullptr, true},
    {IDTBB_CLIPPING, u"FillScreen", u"FillScreen", false},
    {IDTBB_ONTOP, u"NotOnTop", u"OnTop", true},
    {IDTBB_SHUTDOWN, u"NoShutdown", u"Shutdown", true},
    {IDTBB_SCREENSHOT, u"Screenshot", u"Screenshot", false},
    {IDTBB_SEP, nullptr, nullptr, true},
    {IDTBB_QUIT, u"Quit", u"Quit", true},
    {IDTBB_PLAYLIST, u"Playlist", u"Playlist", true},
};

}  // namespace zv
