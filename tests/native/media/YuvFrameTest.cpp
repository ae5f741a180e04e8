// Planar 4:2:0 frames as renderers hand them out: YV12 keeps the V plane
// before the U plane, I420 the other way round; both give the same colours.
#include "image/PixelImage.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

struct Yuv {
  uint8_t y, u, v;
};

// Studio-range BT.601 values of the four flat quadrants of the test pattern.
constexpr Yuv kRed{81, 90, 240};
constexpr Yuv kLime{145, 54, 34};
constexpr Yuv kBlue{41, 240, 110};
constexpr Yuv kWhite{235, 128, 128};

// A 16x8 frame with red, lime / blue, white quadrants in the given layout.
std::vector<uint8_t> Frame(uint32_t fourCc) {
  const int w = 16, h = 8, cw = 8, ch = 4;
  std::vector<uint8_t> out(w * h + 2 * cw * ch);
  auto at = [](int x, int y) { return y < 4 ? (x < 8 ? kRed : kLime) : (x < 8 ? kBlue : kWhite); };
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) out[y * w + x] = at(x, y).y;
  uint8_t* first = out.data() + w * h;
  uint8_t* second = first + cw * ch;
  for (int y = 0; y < ch; ++y)
    for (int x = 0; x < cw; ++x) {
      const Yuv c = at(x * 2, y * 2);
      first[y * cw + x] = fourCc == zv::kFourCcYv12 ? c.v : c.u;
      second[y * cw + x] = fourCc == zv::kFourCcYv12 ? c.u : c.v;
    }
  return out;
}

void ExpectColour(zv::Rgb actual, int r, int g, int b) {
  EXPECT_NEAR(actual.r, r, 4);
  EXPECT_NEAR(actual.g, g, 4);
  EXPECT_NEAR(actual.b, b, 4);
}

class PlanarLayouts : public testing::TestWithParam<uint32_t> {};

}  // namespace

TEST_P(PlanarLayouts, QuadrantsComeOutInTheirColours) {
  const std::vector<uint8_t> frame = Frame(GetParam());
  const zv::PixelImage image = zv::FromYuv420(frame.data(), frame.size(), 16, 8, GetParam());
  ASSERT_EQ(image.Width(), 16);
  ASSERT_EQ(image.Height(), 8);
  ExpectColour(image.At(2, 1), 255, 0, 0);
  ExpectColour(image.At(13, 2), 0, 255, 0);
  ExpectColour(image.At(3, 6), 0, 0, 255);
  ExpectColour(image.At(12, 7), 255, 255, 255);
}

INSTANTIATE_TEST_SUITE_P(Yuv, PlanarLayouts, testing::Values(zv::kFourCcYv12, zv::kFourCcI420, zv::kFourCcIyuv));

TEST(PlanarFrame, TooShortOrUnknownGivesNoImage) {
  const std::vector<uint8_t> frame = Frame(zv::kFourCcI420);
  EXPECT_TRUE(zv::FromYuv420(frame.data(), frame.size() - 1, 16, 8, zv::kFourCcI420).Empty());
  EXPECT_TRUE(zv::FromYuv420(frame.data(), frame.size(), 16, 8, 0x32595559).Empty()) << "packed YUY2";
  EXPECT_TRUE(zv::FromYuv420(frame.data(), frame.size(), -16, 8, zv::kFourCcI420).Empty());
}
