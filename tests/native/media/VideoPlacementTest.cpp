#include "media/MediaText.h"
#include "media/RendererChoice.h"
#include "media/VideoPlacement.h"
#include "image/PixelImage.h"

#include <gtest/gtest.h>

using namespace zv;

TEST(VideoPlacement, WideSourceInANarrowWindowFitsByWidthAndIsCentredVertically) {
  // 16:9 source 320x180 in a 4:3 window 640x480, fit mode 3, aspect ratio on.
  const ZoomFactors f = FitFactors(kFitWhole, true, 640, 480, 320, 180, 320.0 / 180, {});
  EXPECT_DOUBLE_EQ(f.horizontal, 2.0);
  EXPECT_DOUBLE_EQ(f.vertical, 2.0);
  const PictureRect r = CentredPicture(640, 480, 320, 180, f);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.width, 640);
  EXPECT_EQ(r.height, 360);
  EXPECT_EQ(r.top, 60);
}

TEST(VideoPlacement, FillScalesByHeightAndCutsBothSides) {
  const ZoomFactors f = FitFactors(kFitFill, true, 640, 480, 320, 180, 320.0 / 180, {});
  EXPECT_DOUBLE_EQ(f.horizontal, 480.0 / 180);
  const PictureRect r = CentredPicture(640, 480, 320, 180, f);
  EXPECT_EQ(r.height, 480);
  EXPECT_EQ(r.width, 853);
  EXPECT_EQ(r.left, -106);
  EXPECT_EQ(r.top, 0);
}

TEST(VideoPlacement, WithoutAspectRatioEachDirectionStretchesOnItsOwn) {
  const ZoomFactors f = FitFactors(kFitWhole, false, 640, 480, 320, 180, 320.0 / 180, {});
  EXPECT_DOUBLE_EQ(f.horizontal, 2.0);
  EXPECT_DOUBLE_EQ(f.vertical, 480.0 / 180);
}

TEST(VideoPlacement, WindowWithoutHeightGivesZeroFactorsAndNoPicture) {
  const ZoomFactors f = FitFactors(kFitWhole, true, 640, 0, 320, 180, 1.7, {1.5, 1.5});
  EXPECT_EQ(f.horizontal, 0.0);
  EXPECT_EQ(f.vertical, 0.0);
  const PictureRect r = CentredPicture(640, 0, 320, 180, f);
  EXPECT_EQ(r.width, 0);
  EXPECT_EQ(r.height, 0);
}

TEST(VideoPlacement, SourceSizeAndManualZoomModes) {
  EXPECT_DOUBLE_EQ(FitFactors(kFitSourceSize, true, 640, 480, 320, 180, 1.7, {3, 3}).horizontal, 1.0);
  const ZoomFactors manual = FitFactors(kFitManualZoom, true, 640, 480, 320, 180, 1.7, {0.5, 2.0});
  EXPECT_DOUBLE_EQ(manual.horizontal, 0.5);
  EXPECT_DOUBLE_EQ(manual.vertical, 2.0);
  EXPECT_EQ(ClampZoomFactor(-1.0), 0.0);
  EXPECT_EQ(FitFactors(kFitWhole, false, 640, 480, 0, 0, 0, {}).horizontal, 0.0) << "no infinite factor";
}

TEST(VideoPlacement, MixerSpanCropsALargePictureAndBordersASmallOne) {
  const NormalizedSpan crop = MixerSpan(800, 400);
  EXPECT_FLOAT_EQ(crop.sourceFrom, 0.25f);
  EXPECT_FLOAT_EQ(crop.sourceTo, 0.75f);
  EXPECT_FLOAT_EQ(crop.outputFrom, 0.0f);
  const NormalizedSpan border = MixerSpan(200, 400);
  EXPECT_FLOAT_EQ(border.outputFrom, 0.25f);
  EXPECT_FLOAT_EQ(border.outputTo, 0.75f);
  EXPECT_FLOAT_EQ(border.sourceTo, 1.0f);
}

TEST(VideoPlacement, AnamorphicSourceIsWidenedToItsPreferredRatio) {
  const SourceSize wide = CorrectedSourceSize(720, 576, 16, 9);
  EXPECT_EQ(wide.width, 720);
  EXPECT_EQ(wide.height, 405);
  const SourceSize tall = CorrectedSourceSize(720, 576, 3, 4);
  EXPECT_EQ(tall.height, 576);
  EXPECT_EQ(tall.width, 432);
  const SourceSize unknown = CorrectedSourceSize(320, 240, 0, 0);
  EXPECT_EQ(unknown.width, 320);
  EXPECT_EQ(unknown.height, 240);
}

TEST(MediaText, RotItemNameIsZeroPaddedLowerCaseHex) {
  EXPECT_EQ(RotItemName(0xA1B2C0, 1234), u"FilterGraph 00a1b2c0 pid 000004d2");
  EXPECT_EQ(AspectRatioModeName(3), std::u16string(u"AM_ARMODE_STRETCHED_AS_PRIMARY"));
  EXPECT_EQ(AspectRatioModeName(7), std::u16string(u"unknown"));
  EXPECT_EQ(FillTwoPlaceholders(u"Can't open \"%s\" %d%%: %s %s", u"a.avi", u"bad"),
            u"Can't open \"a.avi\" %d%%: bad %s");
}

TEST(RendererChoice, CurrentTriesAllAndUnknownNamesNone) {
  EXPECT_EQ(RendererCandidates(u"Current").size(), 4u);
  EXPECT_EQ(RendererCandidates(u"Current")[0], RendererKind::Enhanced);
  ASSERT_EQ(RendererCandidates(u"Video Mixing Renderer 7").size(), 1u);
  EXPECT_EQ(RendererCandidates(u"Video Mixing Renderer 7")[0], RendererKind::MixingRenderer7);
  EXPECT_TRUE(RendererCandidates(u"video renderer").empty()) << "the comparison is exact";
}

TEST(PixelImage, BmpRoundTripAndDibRowsTurnTopDown) {
  PixelImage image(5, 3);
  image.Set(0, 0, {255, 0, 0});
  image.Set(4, 2, {0, 0, 255});
  const std::vector<uint8_t> bmp = EncodeBmp(image);
  ASSERT_EQ(bmp.size(), 54u + 16u * 3u);
  const PixelImage back = DecodeBmp(bmp.data(), bmp.size());
  ASSERT_EQ(back.Width(), 5);
  EXPECT_EQ(back.At(0, 0).r, 255);
  EXPECT_EQ(back.At(4, 2).b, 255);
  const uint8_t bottomUp[] = {1, 2, 3, 0, 9, 8, 7, 0};  // two rows of one 24-bit pixel, padded
  const PixelImage flipped = FromDibRows(bottomUp, sizeof(bottomUp), 1, 2, 24, 4, true);
  EXPECT_EQ(flipped.At(0, 0).b, 9) << "the last row in memory is the top row";
  EXPECT_TRUE(DecodeBmp(bmp.data(), 60).Empty());
  EXPECT_TRUE(FromDibRows(bottomUp, 4, 1, 2, 24, 4, true).Empty());
}

TEST(PixelImage, ResamplingKeepsFlatColoursAndReachesTheSize) {
  PixelImage image(4, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) image.Set(x, y, {10, 200, 30});
  const PixelImage scaled = image.Resampled(7, 3);
  ASSERT_EQ(scaled.Width(), 7);
  ASSERT_EQ(scaled.Height(), 3);
  EXPECT_EQ(scaled.At(6, 2).g, 200);
  EXPECT_TRUE(image.Resampled(0, 3).Empty());
}
