#include "media/DurationText.h"

#include <cstdio>

namespace zv {

std::u16string FormatDurationWithMilliseconds(int32_t hundredths) {
  if (hundredths < 0) hundredths = 0;
  const int32_t hours = hundredths / 360000;
  const int32_t seconds = hundredths / 100 - hours * 3600;
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%.2i:%.2i:%.2i,%.3i", static_cast<int>(hours), static_cast<int>(seconds / 60),
                static_cast<int>(seconds % 60), 0);
  return std::u16string(buffer, buffer + std::char_traits<char>::length(buffer));
}

}  // namespace zv
