#include "media/FrameNumber.h"

#include <cmath>

namespace zv {

int64_t FrameAtPosition(int64_t position, int64_t timePerFrame) {
  if (timePerFrame <= 0 || position < 0) return -1;
  const double frames = static_cast<double>(position) / static_cast<double>(timePerFrame);
  // Half a 100 ns unit per frame of rounding, relative to the duration.
  const double slack = 1e-3 + frames * 0.5 / static_cast<double>(timePerFrame);
  return static_cast<int64_t>(std::floor(frames + slack));
}

}  // namespace zv
