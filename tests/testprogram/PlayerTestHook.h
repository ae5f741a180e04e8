#pragma once
// The test program: the player built with a hook that answers other
// processes' questions about its window, for end-to-end tests of hand-over,
// opening and remote control. The shipped program has no such hook.
#include "framework/WinInclude.h"

// Name of the registered message the hook answers (SendMessage, first
// parameter a question, second its argument).
inline constexpr wchar_t kPlayerTestQueryName[] = L"Zentravue.TestHook.PlayerQuery";

// Numbers are answered directly; texts as a global atom that the asker
// deletes (0 when there is no such text). Every answer is 0 while the window
// is busy opening or closing media.
enum class PlayerTestQuery : WPARAM {
  PlaylistCount = 0,    // number of playlist entries
  PlaylistEntry = 1,    // name of entry lParam (1-based), as an atom
  PlayedCount = 2,      // how many entries hand-overs started
  PlayedEntry = 3,      // the entry started as number lParam (1-based)
  HandOversApplied = 4, // completed hand-overs (end code received)
  CommandLineFlag = 5,  // flag of hand-over code lParam (3001..4010): 0 or 1
  CommandLineText = 6,  // text of hand-over code lParam (1002..1007), as an atom
  TraceLogOpen = 7,     // 1 when the trace window exists
  PlayState = 8,        // 0 stopped, 1 paused, 2 playing
  MediaOpen = 9,        // 1 when media is open
  Position = 10,        // position in hundredths (-1 without media)
  CurrentEntry = 11,    // current playlist entry (0 when none)
  Ping = 12,            // kPlayerTestPingAnswer: the hook is there
  PowerSuppressed = 13, // 1 while the screen saver and display sleep are held off
  Title = 14,           // the window title, as an atom
  ToolTip = 15,         // text of the tool of button lParam (toolbar or IDTBB_MUTE), as an atom
  ButtonImage = 16,     // picture index shown by button lParam (toolbar or IDTBB_MUTE)
};

inline constexpr LRESULT kPlayerTestPingAnswer = 0x5A56;
