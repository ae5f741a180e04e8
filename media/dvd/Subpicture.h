#pragma once
// DVD subpicture units: reassembly from packets, decoding of the run-length
// bitmap and its display commands, and composition into a picture with the
// palette of the program chain and, for menus, the selected button's
// highlight colours. Portable; no platform headers.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace zv::dvd {

// A decoded subpicture: a bitmap of 2-bit pixel values in its display area.
struct SpuImage {
  int x = 0, y = 0, width = 0, height = 0;
  std::vector<uint8_t> pixels;  // width * height values 0-3
  uint8_t colour[4] = {0, 0, 0, 0};  // palette index for each pixel value
  uint8_t alpha[4] = {0, 0, 0, 0};   // 0 transparent ... 15 opaque
  bool forced = false;               // shown even while subtitles are off
  int64_t startPts = 0;              // 90 kHz
  int64_t endPts = -1;               // -1: until the next one
};

// Collects the packets of one subpicture stream into whole units. A unit
// starts with a packet that carries a time stamp; its first two bytes give
// its size.
class SpuAssembler {
 public:
  void Reset();
  // Returns true when a unit is complete; it is then in `unit`, `pts`.
  bool Add(const uint8_t* data, size_t size, int64_t pts, std::vector<uint8_t>* unit, int64_t* unitPts);

 private:
  std::vector<uint8_t> buffer_;
  size_t expected_ = 0;
  int64_t pts_ = -1;
};

// Decodes a whole unit. False for a malformed one (nothing is shown then).
bool DecodeSpu(const uint8_t* data, size_t size, int64_t pts, SpuImage* out);

// The colours of a button highlight: four palette indexes and four
// contrasts, packed as the navigator hands them out (bits 31-16 colours,
// 15-0 contrasts, pixel value 3 in the highest nibble).
struct Highlight {
  bool on = false;
  int sx = 0, sy = 0, ex = 0, ey = 0;  // inclusive
  uint32_t colours = 0;
};

// Draws the subpicture (with the highlight inside its rectangle) into a
// frame of frameWidth x frameHeight pixels, 0xAARRGGBB each, transparent
// where nothing is drawn. `palette` holds 16 entries 0x00YYCrCb.
void ComposeSpu(const SpuImage& image, const uint32_t palette[16], const Highlight& highlight, int frameWidth,
                int frameHeight, std::vector<uint32_t>* frame);

uint32_t YCrCbToArgb(uint32_t ycrcb, uint8_t alpha);

}  // namespace zv::dvd
