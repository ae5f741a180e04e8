#pragma once
// JPEG files through libjpeg's classic interface.
#include "image/PixelImage.h"

#include <cstdint>
#include <vector>

namespace zv {

// A baseline JPEG of the picture at the quality (1..100) and resolution
// given; empty when the encoder fails.
std::vector<uint8_t> EncodeJpeg(const PixelImage& image, int32_t quality = 90, int32_t dpi = 96);
// The picture of a JPEG file in colour; empty on a damaged or unsupported file.
PixelImage DecodeJpeg(const uint8_t* data, size_t size);

}  // namespace zv
