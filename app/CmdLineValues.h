#pragma once
#include <cstdint>
#include <optional>
#include <string>

// Interpretation of the command line's value switches. The record keeps the
// texts as given; the player window interprets them when it applies them.
namespace zv {

struct VideoAreaSize {
  int32_t width = 0;
  int32_t height = 0;
};

// "size:" as "WxH" (pixels) or "Fx" (F times the native size, F may be
// fractional). Empty when the value is to be ignored: no "x"/"X", a left
// number of 0, or a size that is not positive.
std::optional<VideoAreaSize> InterpretSize(const std::u16string& value, int32_t nativeWidth,
                                           int32_t nativeHeight);

enum class WindowCorner { LeftTop, RightTop, LeftBottom, RightBottom };

struct WindowPosRequest {
  int32_t x = 0;
  int32_t y = 0;
  WindowCorner corner = WindowCorner::LeftTop;
};

// "wndpos:" as "x,y" or "x,y,corner". Empty without a comma or with an empty
// x or y. An empty or unknown corner counts as "lefttop".
std::optional<WindowPosRequest> ParseWindowPos(const std::u16string& value);

struct ScreenPoint {
  int32_t x = 0;
  int32_t y = 0;
};

// Where the window's top-left corner goes for a request on a desktop of the
// given resolution (the window's own size is not subtracted).
ScreenPoint PlaceAtCorner(const WindowPosRequest& request, int32_t screenWidth,
                          int32_t screenHeight);

// "bordercol:" as "red,green,blue" to a Windows colour value
// (red + green * 256 + blue * 65,536, not clamped). Empty without two commas.
std::optional<uint32_t> InterpretBorderColour(const std::u16string& value);

// "jumptopos:" in seconds to the media object's hundredths of a second,
// truncated. Empty for 0 or unreadable text.
std::optional<int32_t> InterpretJumpToPos(const std::u16string& value);

// "volume:" as a whole percent (values outside 0..100 mean 0) to the volume
// in hundredths of a decibel.
int32_t InterpretVolume(const std::u16string& value);

}  // namespace zv
