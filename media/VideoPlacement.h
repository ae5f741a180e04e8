#pragma once
// The geometry of the picture inside the video window: zoom factors by fit
// mode, the centred picture rectangle, the normalised rectangles of the
// mixer path, and the source size corrected for the picture's aspect ratio.
// Pure arithmetic, shared by the video window and its tests.
#include <cstdint>

namespace zv {

enum FitMode : int32_t { kFitSourceSize = 0, kFitManualZoom = 1, kFitFill = 2, kFitWhole = 3 };

struct ZoomFactors {
  double horizontal = 1.0;
  double vertical = 1.0;
};

struct PictureRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t width = 0;
  int32_t height = 0;
};

struct SourceSize {
  int32_t width = 0;
  int32_t height = 0;
};

// The factors for a window of w x h showing a source of sw x sh whose ratio
// is `ratio` (source width / source height). Manual zoom and unknown modes
// keep `stored`. A window without height gives 0, 0; a source without width
// or height gives 0 for that direction instead of an infinite factor.
ZoomFactors FitFactors(int32_t fitMode, bool keepAspectRatio, int32_t w, int32_t h, int32_t sw, int32_t sh,
                       double ratio, ZoomFactors stored);

// The picture of sw x sh scaled by the factors (truncated) and centred in
// w x h; the offsets are halves by integer division and may be negative
// when the picture is larger than the window.
PictureRect CentredPicture(int32_t w, int32_t h, int32_t sw, int32_t sh, ZoomFactors factors);

// One direction of the mixer path, in normalised coordinates: a picture
// larger than the window keeps the whole output and crops the source evenly;
// a smaller one keeps the whole source and leaves an even border.
struct NormalizedSpan {
  float sourceFrom = 0.0f;
  float sourceTo = 1.0f;
  float outputFrom = 0.0f;
  float outputTo = 1.0f;
};
NormalizedSpan MixerSpan(int32_t picture, int32_t window);

// The native size w x h corrected so that it shows the preferred aspect
// ratio x : y: a wide ratio keeps the width and derives the height, a tall
// one keeps the height and derives the width. Without a usable ratio the
// native size stays.
SourceSize CorrectedSourceSize(int32_t w, int32_t h, int32_t x, int32_t y);

// A negative zoom factor becomes 0.
double ClampZoomFactor(double factor);

}  // namespace zv
