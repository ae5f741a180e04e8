#pragma once
// The remote-control message interface of the player window: the codes
// other programs send as the first parameter, which of them are commands and
// which are queries, and the texts of the answers.
#include <cstdint>
#include <string>

namespace zv::remote {

// Commands (the return value carries no information).
constexpr uint64_t kPause = 2;
constexpr uint64_t kPlay = 3;
constexpr uint64_t kPlayPause = 23;
constexpr uint64_t kStop = 24;
constexpr uint64_t kJumpForward = 25;
constexpr uint64_t kJumpBackward = 26;
constexpr uint64_t kCloseMedia = 27;
constexpr uint64_t kQuit = 28;
constexpr uint64_t kShowPlaylist = 29;
constexpr uint64_t kHidePlaylist = 30;
constexpr uint64_t kPreviousTrack = 31;
constexpr uint64_t kNextTrack = 32;

// Queries: the answer is a text in a global atom that the asker deletes.
constexpr uint64_t kTitleWithoutExtension = 1;
constexpr uint64_t kVolumePercent = 4;
constexpr uint64_t kPosition = 5;
constexpr uint64_t kDisplayedWidth = 6;
constexpr uint64_t kDisplayedHeight = 7;
constexpr uint64_t kNativeWidth = 8;
constexpr uint64_t kNativeHeight = 9;
constexpr uint64_t kVersion = 10;
constexpr uint64_t kFrameRate = 11;
constexpr uint64_t kDuration = 12;
constexpr uint64_t kFileName = 33;
constexpr uint64_t kPositionRatio = 34;

enum class CodeKind { Other, Command, Query };

// Codes compare as the whole parameter: a code with high bits set is no code.
CodeKind KindOf(uint64_t code);

// The longest answer a global atom can carry.
constexpr size_t kMaxAnswerChars = 255;

// A file name without its extension: up to the last dot, when that dot is
// not the name's first character.
std::u16string WithoutExtension(const std::u16string& name);
// "%i".
std::u16string IntegerText(long value);
// Frame rate "%.2f fps".
std::u16string FrameRateText(double framesPerSecond);
// Position divided by duration, "%f"; 0 when the duration is not positive.
std::u16string PositionRatioText(int32_t position, int32_t duration);

}  // namespace zv::remote
