#pragma once
// The image codec's Windows face: a picture made from a device bitmap,
// resampled and saved as BMP or JPEG, or loaded from a JPEG file.
#include "framework/WinInclude.h"
#include "image/PixelImage.h"

#include <string>

class CBitmapImage {
 public:
  enum Format { kBmp, kJpeg };

  CBitmapImage() = default;
  explicit CBitmapImage(zv::PixelImage pixels) : pixels_(std::move(pixels)) {}

  // The picture of a device bitmap; empty when it cannot be read.
  static CBitmapImage FromBitmap(HBITMAP bitmap);
  // Empty when the file cannot be read or decoded.
  static CBitmapImage LoadJpeg(const std::wstring& path);

  int Width() const { return pixels_.Width(); }
  int Height() const { return pixels_.Height(); }
  bool Empty() const { return pixels_.Empty(); }
  void Resample(int width, int height) { pixels_ = pixels_.Resampled(width, height); }
  // Writes the file, replacing one of that name. False on failure.
  bool Save(const std::wstring& path, Format format) const;
  const zv::PixelImage& Pixels() const { return pixels_; }

  int JpegQuality = 90;
  int DotsPerInchX = 96;
  int DotsPerInchY = 96;

 private:
  zv::PixelImage pixels_;
};
