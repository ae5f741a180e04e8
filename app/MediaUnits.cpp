#include "app/MediaUnits.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/TextUtil.h"

namespace zv {

int32_t VolumeFromPercent(int32_t percent) {
  percent = std::clamp(percent, 0, 100);  // the logarithm is undefined below 0
  double level = 1000.0 * std::log10(static_cast<double>(percent) * 100000000.0 + 1.0) - 10000.0;
  return TruncateToInt(level);
}

int32_t PercentFromVolume(int32_t volume) {
  volume = std::clamp(volume, kVolumeSilent, kVolumeFull);
  double percent = std::pow(10.0, (volume + 10000) * 0.001) / 100000000.0;
  return TruncateToInt(percent);
}

std::u16string FormatTime(int32_t hundredths) {
  if (hundredths < 0) hundredths = 0;
  int32_t hours = hundredths / 360000;
  int32_t seconds = hundredths / 100 - hours * 3600;
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%.2i:%.2i:%.2i", static_cast<int>(hours),
                static_cast<int>(seconds / 60), static_cast<int>(seconds % 60));
  return Widen(buffer);
}

}  // namespace zv
