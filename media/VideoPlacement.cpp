#include "media/VideoPlacement.h"

#include <cmath>
#include <limits>

namespace zv {
namespace {

double Ratio(int32_t a, int32_t b) { return b == 0 ? 0.0 : static_cast<double>(a) / b; }

// Truncation toward zero that stays inside the 32-bit range.
int32_t Truncate(double v) {
  if (!(v == v)) return 0;
  if (v >= static_cast<double>(std::numeric_limits<int32_t>::max())) return std::numeric_limits<int32_t>::max();
  if (v <= static_cast<double>(std::numeric_limits<int32_t>::min())) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(v);
}

}  // namespace

ZoomFactors FitFactors(int32_t fitMode, bool keepAspectRatio, int32_t w, int32_t h, int32_t sw, int32_t sh,
                       double ratio, ZoomFactors stored) {
  if (h < 1 || Ratio(w, h) == 0.0) return {0.0, 0.0};
  switch (fitMode) {
    case kFitSourceSize:
      return {1.0, 1.0};
    case kFitFill:
    case kFitWhole: {
      if (!keepAspectRatio) return {Ratio(w, sw), Ratio(h, sh)};
      const double e = Ratio(w, h);
      const bool byHeight = (fitMode == kFitFill && e < ratio) || (fitMode == kFitWhole && e >= ratio);
      const double f = byHeight ? Ratio(h, sh) : Ratio(w, sw);
      return {f, f};
    }
    default:
      return stored;
  }
}

PictureRect CentredPicture(int32_t w, int32_t h, int32_t sw, int32_t sh, ZoomFactors factors) {
  PictureRect r;
  r.width = Truncate(sw * factors.horizontal);
  r.height = Truncate(sh * factors.vertical);
  r.left = Truncate((static_cast<double>(w) - r.width) / 2);
  r.top = Truncate((static_cast<double>(h) - r.height) / 2);
  return r;
}

NormalizedSpan MixerSpan(int32_t picture, int32_t window) {
  NormalizedSpan s;
  if (picture <= 0 || window <= 0) return s;
  if (picture >= window) {
    const float c = static_cast<float>((picture - window) * 0.5 / picture);
    s.sourceFrom = c;
    s.sourceTo = 1.0f - c;
  } else {
    const float b = static_cast<float>((window - picture) * 0.5 / window);
    s.outputFrom = b;
    s.outputTo = 1.0f - b;
  }
  return s;
}

SourceSize CorrectedSourceSize(int32_t w, int32_t h, int32_t x, int32_t y) {
  SourceSize s{w, h};
  if (h == 0 || y == 0 || x <= 0 || y < 0) return s;
  const double a = static_cast<double>(x) / y;
  const double r = static_cast<double>(w) / h;
  if (a == r) return s;
  if (y < x)
    s.height = Truncate(h / a * r);
  else
    s.width = Truncate(w / r * a);
  return s;
}

double ClampZoomFactor(double factor) { return factor < 0.0 || std::isnan(factor) ? 0.0 : factor; }

}  // namespace zv
