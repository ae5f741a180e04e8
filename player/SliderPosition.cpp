#include "player/SliderPosition.h"

#include <algorithm>
#include <cmath>

namespace zv {

int SliderPositionFromPoint(int coordinate, int channelStart, int channelEnd, int rangeMin, int rangeMax) {
  if (rangeMax <= rangeMin) return rangeMin;
  const double length = static_cast<double>(channelEnd) - channelStart;
  if (length <= 0) return rangeMin;
  const double x = std::clamp((static_cast<double>(coordinate) - channelStart) / length, 0.0, 1.0);
  const double min = rangeMin;
  const double max = rangeMax;
  // floor: the integer part for the non-negative ranges the player uses, and
  // still min at the far left of a range that starts below zero.
  const double position = std::floor(min + (max + 1 - min) * x + 0.5 - x);
  return static_cast<int>(std::clamp(position, min, max));
}

}  // namespace zv
