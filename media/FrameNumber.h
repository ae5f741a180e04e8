#pragma once
#include <cstdint>

namespace zv {

// The number of the frame shown at a position (both in 100 ns units) of a
// stream whose frames each last `timePerFrame`: position × frame rate, the
// frame that starts at 0 being frame 0. A stream's frame duration is stored
// rounded to 100 ns, so positions a hair before a frame's start (up to that
// rounding, accumulated, plus a thousandth of a frame) count as that frame.
// -1 when the duration is unknown (not above 0) or the position negative.
int64_t FrameAtPosition(int64_t position, int64_t timePerFrame);

}  // namespace zv
