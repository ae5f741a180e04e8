#pragma once
// A picture in memory as the image codec works with it: 24-bit pixels in
// blue, green, red order, rows from top to bottom, packed without padding.
// Conversion from device-independent bitmaps, resampling and the BMP file
// format live here; JPEG is in JpegCodec.h.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace zv {

struct Rgb {
  uint8_t r = 0;
  uint8_t g = 0;
  uint8_t b = 0;
};

class PixelImage {
 public:
  PixelImage() = default;
  // Black; a size that is not positive or too large gives an empty image.
  PixelImage(int32_t width, int32_t height);

  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  bool Empty() const { return width_ == 0 || height_ == 0; }

  uint8_t* Row(int32_t y) { return pixels_.data() + static_cast<size_t>(y) * RowBytes(); }
  const uint8_t* Row(int32_t y) const { return pixels_.data() + static_cast<size_t>(y) * RowBytes(); }
  size_t RowBytes() const { return static_cast<size_t>(width_) * 3; }

  Rgb At(int32_t x, int32_t y) const;
  void Set(int32_t x, int32_t y, Rgb colour);

  // Bilinear resampling to the new size (empty when it is not positive).
  PixelImage Resampled(int32_t width, int32_t height) const;

 private:
  int32_t width_ = 0;
  int32_t height_ = 0;
  std::vector<uint8_t> pixels_;
};

// The largest side the codec accepts; larger pictures are refused.
constexpr int32_t kMaxImageSide = 16384;

// Reads device-independent bitmap rows of 24 or 32 bits per pixel; each
// source row takes `stride` bytes. bottomUp: the first row in memory is the
// picture's last. Empty on a size that does not fit the buffer.
PixelImage FromDibRows(const uint8_t* bits, size_t size, int32_t width, int32_t height, int32_t bitCount,
                       size_t stride, bool bottomUp);

// Four-character codes of the planar 4:2:0 frames some renderers hand out.
constexpr uint32_t kFourCcI420 = 0x30323449;  // "I420"
constexpr uint32_t kFourCcIyuv = 0x56555949;  // "IYUV"
constexpr uint32_t kFourCcYv12 = 0x32315659;  // "YV12"
constexpr uint32_t kFourCcNv12 = 0x3231564E;  // "NV12"
bool IsPlanarYuv420(uint32_t fourCc);
// A planar 4:2:0 frame (rows top-down, studio-range BT.601) in colour;
// empty when the buffer is too small or the code is not one of the above.
PixelImage FromYuv420(const uint8_t* data, size_t size, int32_t width, int32_t height, uint32_t fourCc);

// Row size of a device-independent bitmap: rows are padded to 4 bytes.
size_t DibStride(int32_t width, int32_t bitCount);

// A complete 24-bit BMP file (bottom-up rows) with the resolution in dots
// per inch.
std::vector<uint8_t> EncodeBmp(const PixelImage& image, int32_t dpi = 96);
// Reads an uncompressed 24- or 32-bit BMP file; empty on anything else.
PixelImage DecodeBmp(const uint8_t* data, size_t size);

}  // namespace zv
