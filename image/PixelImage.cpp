#include "image/PixelImage.h"

#include <algorithm>
#include <cmath>

namespace zv {
namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}
uint32_t Get16(const uint8_t* p) { return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8; }
uint32_t Get32(const uint8_t* p) { return Get16(p) | Get16(p + 2) << 16; }

bool SizeAllowed(int32_t width, int32_t height) {
  return width > 0 && height > 0 && width <= kMaxImageSide && height <= kMaxImageSide;
}

}  // namespace

PixelImage::PixelImage(int32_t width, int32_t height) {
  if (!SizeAllowed(width, height)) return;
  width_ = width;
  height_ = height;
  pixels_.assign(RowBytes() * static_cast<size_t>(height), 0);
}

Rgb PixelImage::At(int32_t x, int32_t y) const {
  const uint8_t* p = Row(y) + static_cast<size_t>(x) * 3;
  return {p[2], p[1], p[0]};
}

void PixelImage::Set(int32_t x, int32_t y, Rgb colour) {
  uint8_t* p = Row(y) + static_cast<size_t>(x) * 3;
  p[0] = colour.b;
  p[1] = colour.g;
  p[2] = colour.r;
}

PixelImage PixelImage::Resampled(int32_t width, int32_t height) const {
  PixelImage out(width, height);
  if (out.Empty() || Empty()) return out;
  // Pixel centres map onto pixel centres; edges repeat.
  const double sx = static_cast<double>(width_) / width;
  const double sy = static_cast<double>(height_) / height;
  for (int32_t y = 0; y < height; ++y) {
    const double fy = std::max(0.0, (y + 0.5) * sy - 0.5);
    const int32_t y0 = std::min(static_cast<int32_t>(fy), height_ - 1);
    const int32_t y1 = std::min(y0 + 1, height_ - 1);
    const double wy = fy - y0;
    uint8_t* dst = out.Row(y);
    for (int32_t x = 0; x < width; ++x) {
      const double fx = std::max(0.0, (x + 0.5) * sx - 0.5);
      const int32_t x0 = std::min(static_cast<int32_t>(fx), width_ - 1);
      const int32_t x1 = std::min(x0 + 1, width_ - 1);
      const double wx = fx - x0;
      for (int c = 0; c < 3; ++c) {
        const double top = Row(y0)[x0 * 3 + c] * (1 - wx) + Row(y0)[x1 * 3 + c] * wx;
        const double bottom = Row(y1)[x0 * 3 + c] * (1 - wx) + Row(y1)[x1 * 3 + c] * wx;
        dst[x * 3 + c] = static_cast<uint8_t>(std::lround(top * (1 - wy) + bottom * wy));
      }
    }
  }
  return out;
}

size_t DibStride(int32_t width, int32_t bitCount) {
  if (width <= 0 || bitCount <= 0) return 0;
  return ((static_cast<size_t>(width) * static_cast<size_t>(bitCount) + 31) / 32) * 4;
}

PixelImage FromDibRows(const uint8_t* bits, size_t size, int32_t width, int32_t height, int32_t bitCount,
                       size_t stride, bool bottomUp) {
  if (!bits || (bitCount != 24 && bitCount != 32) || !SizeAllowed(width, height)) return {};
  const size_t bytesPerPixel = static_cast<size_t>(bitCount) / 8;
  if (stride < static_cast<size_t>(width) * bytesPerPixel) return {};
  if (size / stride < static_cast<size_t>(height)) return {};
  PixelImage image(width, height);
  for (int32_t y = 0; y < height; ++y) {
    const int32_t sourceRow = bottomUp ? height - 1 - y : y;
    const uint8_t* src = bits + static_cast<size_t>(sourceRow) * stride;
    uint8_t* dst = image.Row(y);
    for (int32_t x = 0; x < width; ++x, src += bytesPerPixel, dst += 3) {
      dst[0] = src[0];
      dst[1] = src[1];
      dst[2] = src[2];
    }
  }
  return image;
}

bool IsPlanarYuv420(uint32_t fourCc) {
  return fourCc == kFourCcI420 || fourCc == kFourCcIyuv || fourCc == kFourCcYv12 || fourCc == kFourCcNv12;
}

PixelImage FromYuv420(const uint8_t* data, size_t size, int32_t width, int32_t height, uint32_t fourCc) {
  if (!data || !IsPlanarYuv420(fourCc) || !SizeAllowed(width, height)) return {};
  const size_t w = static_cast<size_t>(width), h = static_cast<size_t>(height);
  const size_t cw = (w + 1) / 2, ch = (h + 1) / 2;
  if (size < w * h + 2 * cw * ch) return {};
  const uint8_t* luma = data;
  const uint8_t* first = data + w * h;
  const uint8_t* second = first + cw * ch;
  PixelImage image(width, height);
  for (size_t y = 0; y < h; ++y) {
    uint8_t* dst = image.Row(static_cast<int32_t>(y));
    for (size_t x = 0; x < w; ++x, dst += 3) {
      int u, v;
      if (fourCc == kFourCcNv12) {
        const uint8_t* pair = first + (y / 2) * (cw * 2) + (x / 2) * 2;
        u = pair[0];
        v = pair[1];
      } else {
        const size_t at = (y / 2) * cw + x / 2;
        u = fourCc == kFourCcYv12 ? second[at] : first[at];
        v = fourCc == kFourCcYv12 ? first[at] : second[at];
      }
      const double c = 1.164 * (luma[y * w + x] - 16);
      const auto clamp = [](double value) {
        return static_cast<uint8_t>(value < 0 ? 0 : value > 255 ? 255 : std::lround(value));
      };
      dst[2] = clamp(c + 1.596 * (v - 128));
      dst[1] = clamp(c - 0.813 * (v - 128) - 0.391 * (u - 128));
      dst[0] = clamp(c + 2.018 * (u - 128));
    }
  }
  return image;
}

std::vector<uint8_t> EncodeBmp(const PixelImage& image, int32_t dpi) {
  std::vector<uint8_t> out;
  if (image.Empty()) return out;
  const size_t stride = DibStride(image.Width(), 24);
  const uint32_t pixelBytes = static_cast<uint32_t>(stride * static_cast<size_t>(image.Height()));
  const uint32_t offset = 14 + 40;
  const uint32_t pixelsPerMetre = static_cast<uint32_t>(std::lround(dpi / 0.0254));
  out.reserve(offset + pixelBytes);
  out.push_back('B');
  out.push_back('M');
  Put32(out, offset + pixelBytes);
  Put32(out, 0);
  Put32(out, offset);
  Put32(out, 40);
  Put32(out, static_cast<uint32_t>(image.Width()));
  Put32(out, static_cast<uint32_t>(image.Height()));
  Put16(out, 1);
  Put16(out, 24);
  Put32(out, 0);  // uncompressed
  Put32(out, pixelBytes);
  Put32(out, pixelsPerMetre);
  Put32(out, pixelsPerMetre);
  Put32(out, 0);
  Put32(out, 0);
  for (int32_t y = image.Height() - 1; y >= 0; --y) {
    const uint8_t* row = image.Row(y);
    out.insert(out.end(), row, row + image.RowBytes());
    out.insert(out.end(), stride - image.RowBytes(), 0);
  }
  return out;
}

PixelImage DecodeBmp(const uint8_t* data, size_t size) {
  if (!data || size < 54 || data[0] != 'B' || data[1] != 'M') return {};
  const uint32_t offset = Get32(data + 10);
  const uint32_t headerSize = Get32(data + 14);
  if (headerSize < 40) return {};
  const int32_t width = static_cast<int32_t>(Get32(data + 18));
  const int32_t rawHeight = static_cast<int32_t>(Get32(data + 22));
  const int32_t bitCount = static_cast<int32_t>(Get16(data + 28));
  const uint32_t compression = Get32(data + 30);
  if (compression != 0 || offset >= size || rawHeight == 0 || rawHeight == INT32_MIN) return {};
  const bool bottomUp = rawHeight > 0;
  const int32_t height = bottomUp ? rawHeight : -rawHeight;
  return FromDibRows(data + offset, size - offset, width, height, bitCount, DibStride(width, bitCount), bottomUp);
}

}  // namespace zv
