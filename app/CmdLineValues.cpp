#include "app/CmdLineValues.h"

#include "app/MediaUnits.h"
#include "app/TextUtil.h"

namespace zv {

namespace {

struct CommaParts {
  std::u16string first;
  std::u16string second;
  std::u16string rest;
  int commas = 0;
};

// Splits at the first comma and the next comma after it; the rest keeps any
// further commas.
CommaParts SplitAtCommas(const std::u16string& value) {
  CommaParts parts;
  size_t first = value.find(u',');
  if (first == std::u16string::npos) {
    parts.first = value;
    return parts;
  }
  parts.commas = 1;
  parts.first = value.substr(0, first);
  size_t second = value.find(u',', first + 1);
  if (second == std::u16string::npos) {
    parts.second = value.substr(first + 1);
    return parts;
  }
  parts.commas = 2;
  parts.second = value.substr(first + 1, second - first - 1);
  parts.rest = value.substr(second + 1);
  return parts;
}

}  // namespace

std::optional<VideoAreaSize> InterpretSize(const std::u16string& value, int32_t nativeWidth,
                                           int32_t nativeHeight) {
  size_t x = value.find(u'x');
  if (x == std::u16string::npos) x = value.find(u'X');
  if (x == std::u16string::npos) return std::nullopt;
  double left = ReadDecimal(value.substr(0, x)).value_or(0.0);
  double right = ReadDecimal(value.substr(x + 1)).value_or(0.0);
  if (left == 0.0) return std::nullopt;
  VideoAreaSize size;
  if (right == 0.0) {
    size.width = TruncateToInt(nativeWidth * left);
    size.height = TruncateToInt(nativeHeight * left);
  } else {
    size.width = TruncateToInt(left);
    size.height = TruncateToInt(right);
  }
  // A window cannot be sized to nothing or less.
  if (size.width <= 0 || size.height <= 0) return std::nullopt;
  return size;
}

std::optional<WindowPosRequest> ParseWindowPos(const std::u16string& value) {
  CommaParts parts = SplitAtCommas(value);
  if (parts.commas == 0) return std::nullopt;
  if (parts.first.empty() || parts.second.empty()) return std::nullopt;
  WindowPosRequest request;
  request.x = ReadInt(parts.first);
  request.y = ReadInt(parts.second);
  if (parts.rest == u"righttop") request.corner = WindowCorner::RightTop;
  if (parts.rest == u"leftbottom") request.corner = WindowCorner::LeftBottom;
  if (parts.rest == u"rightbottom") request.corner = WindowCorner::RightBottom;
  return request;
}

ScreenPoint PlaceAtCorner(const WindowPosRequest& request, int32_t screenWidth,
                          int32_t screenHeight) {
  int64_t x = request.x;
  int64_t y = request.y;
  bool fromRight = request.corner == WindowCorner::RightTop ||
                   request.corner == WindowCorner::RightBottom;
  bool fromBottom = request.corner == WindowCorner::LeftBottom ||
                    request.corner == WindowCorner::RightBottom;
  if (fromRight) x = int64_t{screenWidth} - x;
  if (fromBottom) y = int64_t{screenHeight} - y;
  ScreenPoint point;
  point.x = TruncateToInt(static_cast<double>(x));
  point.y = TruncateToInt(static_cast<double>(y));
  return point;
}

std::optional<uint32_t> InterpretBorderColour(const std::u16string& value) {
  CommaParts parts = SplitAtCommas(value);
  if (parts.commas < 2) return std::nullopt;
  uint32_t red = static_cast<uint32_t>(ReadInt(parts.first));
  uint32_t green = static_cast<uint32_t>(ReadInt(parts.second));
  uint32_t blue = static_cast<uint32_t>(ReadInt(parts.rest));
  return red + green * 256u + blue * 65536u;
}

std::optional<int32_t> InterpretJumpToPos(const std::u16string& value) {
  double seconds = ReadDecimal(value).value_or(0.0);
  if (seconds == 0.0) return std::nullopt;
  return TruncateToInt(seconds * 100.0);
}

int32_t InterpretVolume(const std::u16string& value) {
  int32_t percent = ReadInt(value);
  if (percent < 0 || percent > 100) percent = 0;
  return VolumeFromPercent(percent);
}

}  // namespace zv
