// The artwork resources: the toolbar strips (16, 24 and 32 pixels), the idle
// picture and the hand cursor, as the program loads them.
#include "framework/Handle.h"
#include "player/ToolBarImages.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

namespace {

HINSTANCE Self() { return GetModuleHandleW(nullptr); }

TEST(Artwork, ToolBarStripsAre544By16With24Bits) {
  for (int id : {IDB_TOOLBARNORMAL, IDB_TOOLBARHOVER}) {
    fw::GdiObject strip(LoadImageW(Self(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_TRUE(strip) << id;
    BITMAP info{};
    ASSERT_EQ(GetObjectW(strip.get(), sizeof(info), &info), static_cast<int>(sizeof(info)));
    EXPECT_EQ(info.bmWidth, 544) << id;
    EXPECT_EQ(info.bmHeight, 16) << id;
    EXPECT_EQ(info.bmBitsPixel, 24) << id;
  }
}

TEST(Artwork, DenserStripsHoldTheSameGlyphsAt24And32) {
  const struct {
    int id, size;
  } strips[] = {{IDB_TOOLBARNORMAL24, 24}, {IDB_TOOLBARHOVER24, 24}, {IDB_TOOLBARNORMAL32, 32}, {IDB_TOOLBARHOVER32, 32}};
  for (const auto& strip : strips) {
    fw::GdiObject bitmap(LoadImageW(Self(), MAKEINTRESOURCEW(strip.id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_TRUE(bitmap) << strip.id;
    BITMAP info{};
    ASSERT_EQ(GetObjectW(bitmap.get(), sizeof(info), &info), static_cast<int>(sizeof(info)));
    EXPECT_EQ(info.bmWidth, 34 * strip.size) << strip.id;
    EXPECT_EQ(info.bmHeight, strip.size) << strip.id;
    EXPECT_EQ(info.bmBitsPixel, 24) << strip.id;
  }
}

// 16 below 144 dpi, 24 from 144, 32 from 192; loading for another density
// replaces the lists.
TEST(Artwork, ImageListsHoldThirtyFourPicturesOfTheDensitysSize) {
  CToolBarImages images;
  for (const auto& [dpi, size] : {std::pair{96, 16}, {120, 16}, {144, 24}, {168, 24}, {192, 32}, {288, 32}, {96, 16}}) {
    SCOPED_TRACE(dpi);
    ASSERT_TRUE(images.Load(Self(), dpi));
    EXPECT_EQ(images.Size(), size);
    for (HIMAGELIST list : {images.Normal(), images.Hover()}) {
      EXPECT_EQ(ImageList_GetImageCount(list), 34);
      int cx = 0, cy = 0;
      ImageList_GetIconSize(list, &cx, &cy);
      EXPECT_EQ(cx, size);
      EXPECT_EQ(cy, size);
    }
  }
}

TEST(Artwork, HoverStripDiffersFromTheNormalOneOnlyInsideGlyphs) {
  fw::GdiObject normal(LoadImageW(Self(), MAKEINTRESOURCEW(IDB_TOOLBARNORMAL), IMAGE_BITMAP, 0, 0,
                                  LR_CREATEDIBSECTION));
  fw::GdiObject hover(LoadImageW(Self(), MAKEINTRESOURCEW(IDB_TOOLBARHOVER), IMAGE_BITMAP, 0, 0,
                                 LR_CREATEDIBSECTION));
  ASSERT_TRUE(normal && hover);
  DIBSECTION a{}, b{};
  ASSERT_TRUE(GetObjectW(normal.get(), sizeof(a), &a));
  ASSERT_TRUE(GetObjectW(hover.get(), sizeof(b), &b));
  const auto* pa = static_cast<const uint8_t*>(a.dsBm.bmBits);
  const auto* pb = static_cast<const uint8_t*>(b.dsBm.bmBits);
  const int stride = a.dsBm.bmWidthBytes;
  int differing = 0, maskMismatch = 0;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 544; ++x) {
      const uint8_t* ca = pa + y * stride + x * 3;
      const uint8_t* cb = pb + y * stride + x * 3;
      const bool maskA = ca[0] == 255 && ca[1] == 0 && ca[2] == 255;
      const bool maskB = cb[0] == 255 && cb[1] == 0 && cb[2] == 255;
      if (maskA != maskB) ++maskMismatch;
      if (ca[0] != cb[0] || ca[1] != cb[1] || ca[2] != cb[2]) ++differing;
    }
  }
  EXPECT_EQ(maskMismatch, 0);
  EXPECT_GT(differing, 500);
}

TEST(Artwork, IdlePictureIsA450By250Jpeg) {
  HRSRC found = FindResourceW(Self(), MAKEINTRESOURCEW(IDR_MAIN), L"JPG");
  ASSERT_NE(found, nullptr);
  const DWORD size = SizeofResource(Self(), found);
  const auto* bytes = static_cast<const uint8_t*>(LockResource(LoadResource(Self(), found)));
  ASSERT_NE(bytes, nullptr);
  ASSERT_GT(size, 1000u);
  EXPECT_EQ(bytes[0], 0xFF);
  EXPECT_EQ(bytes[1], 0xD8);
  // The frame header gives the picture's height and width.
  int width = 0, height = 0;
  for (DWORD i = 2; i + 8 < size; ++i) {
    if (bytes[i] == 0xFF && (bytes[i + 1] == 0xC0 || bytes[i + 1] == 0xC2)) {
      height = bytes[i + 5] << 8 | bytes[i + 6];
      width = bytes[i + 7] << 8 | bytes[i + 8];
      break;
    }
  }
  EXPECT_EQ(width, 450);
  EXPECT_EQ(height, 250);
}

TEST(Artwork, HandCursorLoads) {
  EXPECT_NE(LoadCursorW(Self(), MAKEINTRESOURCEW(IDC_HANDPOINT)), nullptr);
}

}  // namespace
