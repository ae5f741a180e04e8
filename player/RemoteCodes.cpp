#include "player/RemoteCodes.h"

#include <cstdio>

namespace zv::remote {
namespace {

std::u16string Ascii(const char* text) {
  std::u16string result;
  for (; *text; ++text) result.push_back(static_cast<char16_t>(static_cast<unsigned char>(*text)));
  return result;
}

}  // namespace

CodeKind KindOf(uint64_t code) {
  switch (code) {
    case kPause:
    case kPlay:
    case kPlayPause:
    case kStop:
    case kJumpForward:
    case kJumpBackward:
    case kCloseMedia:
    case kQuit:
    case kShowPlaylist:
    case kHidePlaylist:
    case kPreviousTrack:
    case kNextTrack:
      return CodeKind::Command;
    case kTitleWithoutExtension:
    case kVolumePercent:
    case kPosition:
    case kDisplayedWidth:
    case kDisplayedHeight:
    case kNativeWidth:
    case kNativeHeight:
    case kVersion:
    case kFrameRate:
    case kDuration:
    case kFileName:
    case kPositionRatio:
      return CodeKind::Query;
    default:
      return CodeKind::Other;
  }
}

std::u16string WithoutExtension(const std::u16string& name) {
  const size_t dot = name.find_last_of(u'.');
  if (dot == std::u16string::npos || dot == 0) return name;
  return name.substr(0, dot);
}

std::u16string IntegerText(long value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%li", value);
  return Ascii(buffer);
}

std::u16string FrameRateText(double framesPerSecond) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.2f fps", framesPerSecond);
  return Ascii(buffer);
}

std::u16string PositionRatioText(int32_t position, int32_t duration) {
  const double ratio = duration > 0 ? static_cast<double>(position) / duration : 0.0;
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%f", ratio);
  return Ascii(buffer);
}

}  // namespace zv::remote
