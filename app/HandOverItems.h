#pragma once
// The items a second instance hands over to the first one, in the order they
// are posted: the codes travel as the first message parameter, texts as
// global atoms and flags as 0 or 1 in the second.
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/CmdLineInfo.h"

namespace zv {

constexpr int32_t kHandOverMediaName = 1001;
constexpr int32_t kHandOverSize = 1002;
constexpr int32_t kHandOverWindowPos = 1003;
constexpr int32_t kHandOverJumpToPos = 1004;
constexpr int32_t kHandOverVolume = 1005;
constexpr int32_t kHandOverBorderColour = 1006;
constexpr int32_t kHandOverAudio = 1007;
constexpr int32_t kHandOverFullscreen = 3001;
constexpr int32_t kHandOverLastFlag = 4010;
// End of the hand-over: apply it.
constexpr int32_t kHandOverEnd = -1;
// The playlist window's requests share the message.
constexpr int32_t kPlaylistRequestFirst = 10000;
constexpr int32_t kPlaylistRequestLast = 10002;
// The playlist window's requests: play the current entry; the mouse moved
// over the window; the playlist changed (a non-zero value: and play).
constexpr int32_t kPlaylistPlayCurrent = 10000;
constexpr int32_t kPlaylistMouseActivity = 10001;
constexpr int32_t kPlaylistChanged = 10002;

struct HandOverText {
  int32_t code;
  const std::u16string& (CCmdLineInfo::*get)() const;
  void (CCmdLineInfo::*set)(const std::u16string&);
};

struct HandOverFlag {
  int32_t code;
  bool CCmdLineInfo::*flag;
};

// 1001 to 1007, in posting order.
const HandOverText* HandOverTexts(size_t* count);
// 3001 to 3004 and 4001 to 4010, in posting order.
const HandOverFlag* HandOverFlags(size_t* count);

const HandOverText* FindHandOverText(int32_t code);
const HandOverFlag* FindHandOverFlag(int32_t code);

// The longest text a global atom carries; longer texts arrive empty.
constexpr size_t kMaxAtomChars = 255;

}  // namespace zv
