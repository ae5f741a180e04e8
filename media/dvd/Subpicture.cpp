#include "media/dvd/Subpicture.h"

#include <algorithm>

namespace zv::dvd {
namespace {

// Subpicture units are at most 53220 bytes.
constexpr size_t kMaxUnit = 65536;

class NibbleReader {
 public:
  NibbleReader(const uint8_t* data, size_t size, size_t offset) : data_(data), size_(size), pos_(offset * 2) {}
  bool Next(unsigned* value) {
    if (pos_ / 2 >= size_) return false;
    const uint8_t byte = data_[pos_ / 2];
    *value = (pos_ & 1) ? (byte & 0x0F) : (byte >> 4);
    ++pos_;
    return true;
  }
  void AlignToByte() { pos_ = (pos_ + 1) & ~static_cast<size_t>(1); }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t pos_;
};

// One field line of run-length codes: 1 to 4 nibbles giving length << 2 | value.
bool DecodeLine(NibbleReader& in, uint8_t* line, int width) {
  int x = 0;
  while (x < width) {
    unsigned code = 0, n = 0;
    if (!in.Next(&code)) return false;
    if (code < 0x4) {
      if (!in.Next(&n)) return false;
      code = (code << 4) | n;
      if (code < 0x10) {
        if (!in.Next(&n)) return false;
        code = (code << 4) | n;
        if (code < 0x40) {
          if (!in.Next(&n)) return false;
          code = (code << 4) | n;
        }
      }
    }
    int length = static_cast<int>(code >> 2);
    if (length == 0 || x + length > width) length = width - x;  // 0: to the end of the line
    std::fill(line + x, line + x + length, static_cast<uint8_t>(code & 3));
    x += length;
  }
  in.AlignToByte();
  return true;
}

uint8_t Clamp(int v) { return static_cast<uint8_t>(std::min(255, std::max(0, v))); }

}  // namespace

void SpuAssembler::Reset() {
  buffer_.clear();
  expected_ = 0;
  pts_ = -1;
}

bool SpuAssembler::Add(const uint8_t* data, size_t size, int64_t pts, std::vector<uint8_t>* unit, int64_t* unitPts) {
  if (pts >= 0 || buffer_.empty()) {
    // A packet with a time stamp starts a unit; one without continues it.
    if (pts < 0) return false;  // a fragment whose start was missed
    buffer_.clear();
    pts_ = pts;
    expected_ = 0;
  }
  buffer_.insert(buffer_.end(), data, data + size);
  if (expected_ == 0 && buffer_.size() >= 2) {
    expected_ = (static_cast<size_t>(buffer_[0]) << 8) | buffer_[1];
    if (expected_ < 4) {
      Reset();
      return false;
    }
  }
  if (buffer_.size() > kMaxUnit) {
    Reset();
    return false;
  }
  if (expected_ == 0 || buffer_.size() < expected_) return false;
  buffer_.resize(expected_);
  *unit = std::move(buffer_);
  *unitPts = pts_;
  Reset();
  return true;
}

bool DecodeSpu(const uint8_t* data, size_t size, int64_t pts, SpuImage* out) {
  if (size < 4) return false;
  const size_t total = std::min(size, (static_cast<size_t>(data[0]) << 8) | data[1]);
  size_t sequence = (static_cast<size_t>(data[2]) << 8) | data[3];
  SpuImage image;
  image.startPts = pts;
  size_t topField = 0, bottomField = 0;
  int x1 = -1, x2 = -1, y1 = -1, y2 = -1;
  bool started = false;
  // Each display control sequence: delay, offset of the next one, commands.
  for (int guard = 0; guard < 64 && sequence + 4 <= total; ++guard) {
    const int64_t delay = ((static_cast<int64_t>(data[sequence]) << 8) | data[sequence + 1]) * 1024;
    const size_t next = (static_cast<size_t>(data[sequence + 2]) << 8) | data[sequence + 3];
    size_t p = sequence + 4;
    bool end = false;
    while (!end && p < total) {
      const uint8_t command = data[p++];
      switch (command) {
        case 0x00:  // forced start of display
          image.forced = true;
          started = true;
          break;
        case 0x01:  // start of display
          started = true;
          break;
        case 0x02:  // end of display
          if (started) image.endPts = pts + delay;
          break;
        case 0x03:  // palette indexes: values 3, 2, 1, 0
          if (p + 2 > total) return false;
          image.colour[3] = data[p] >> 4;
          image.colour[2] = data[p] & 0x0F;
          image.colour[1] = data[p + 1] >> 4;
          image.colour[0] = data[p + 1] & 0x0F;
          p += 2;
          break;
        case 0x04:  // contrasts, same layout
          if (p + 2 > total) return false;
          image.alpha[3] = data[p] >> 4;
          image.alpha[2] = data[p] & 0x0F;
          image.alpha[1] = data[p + 1] >> 4;
          image.alpha[0] = data[p + 1] & 0x0F;
          p += 2;
          break;
        case 0x05:  // display area, 12 bits each
          if (p + 6 > total) return false;
          x1 = (data[p] << 4) | (data[p + 1] >> 4);
          x2 = ((data[p + 1] & 0x0F) << 8) | data[p + 2];
          y1 = (data[p + 3] << 4) | (data[p + 4] >> 4);
          y2 = ((data[p + 4] & 0x0F) << 8) | data[p + 5];
          p += 6;
          break;
        case 0x06:  // offsets of the two fields' pixel data
          if (p + 4 > total) return false;
          topField = (static_cast<size_t>(data[p]) << 8) | data[p + 1];
          bottomField = (static_cast<size_t>(data[p + 2]) << 8) | data[p + 3];
          p += 4;
          break;
        case 0x07: {  // colour and contrast changes within the area: not drawn
          if (p + 2 > total) return false;
          const size_t length = (static_cast<size_t>(data[p]) << 8) | data[p + 1];
          if (length < 2) return false;
          p += length;
          break;
        }
        case 0xFF:
          end = true;
          break;
        default:
          return false;
      }
    }
    if (!end) return false;  // a sequence cut short
    if (next == sequence) break;
    sequence = next;
  }
  if (!started || x1 < 0 || x2 < x1 || y2 < y1 || topField == 0 || bottomField == 0) return false;
  if (topField >= total || bottomField >= total) return false;
  image.x = x1;
  image.y = y1;
  image.width = x2 - x1 + 1;
  image.height = y2 - y1 + 1;
  if (image.width > 1920 || image.height > 1152) return false;
  image.pixels.assign(static_cast<size_t>(image.width) * image.height, 0);
  NibbleReader top(data, total, topField), bottom(data, total, bottomField);
  for (int line = 0; line < image.height; ++line) {
    NibbleReader& field = (line & 1) ? bottom : top;
    if (!DecodeLine(field, image.pixels.data() + static_cast<size_t>(line) * image.width, image.width)) break;
  }
  *out = std::move(image);
  return true;
}

uint32_t YCrCbToArgb(uint32_t ycrcb, uint8_t alpha) {
  const int y = static_cast<int>((ycrcb >> 16) & 0xFF);
  const int cr = static_cast<int>((ycrcb >> 8) & 0xFF) - 128;
  const int cb = static_cast<int>(ycrcb & 0xFF) - 128;
  const uint8_t r = Clamp(y + (1402 * cr) / 1000);
  const uint8_t g = Clamp(y - (344 * cb + 714 * cr) / 1000);
  const uint8_t b = Clamp(y + (1772 * cb) / 1000);
  return (static_cast<uint32_t>(alpha) << 24) | (static_cast<uint32_t>(r) << 16) | (static_cast<uint32_t>(g) << 8) | b;
}

void ComposeSpu(const SpuImage& image, const uint32_t palette[16], const Highlight& highlight, int frameWidth,
                int frameHeight, std::vector<uint32_t>* frame) {
  frame->assign(static_cast<size_t>(std::max(0, frameWidth)) * std::max(0, frameHeight), 0);
  for (int row = 0; row < image.height; ++row) {
    const int fy = image.y + row;
    if (fy < 0 || fy >= frameHeight) continue;
    for (int col = 0; col < image.width; ++col) {
      const int fx = image.x + col;
      if (fx < 0 || fx >= frameWidth) continue;
      const uint8_t value = image.pixels[static_cast<size_t>(row) * image.width + col];
      uint8_t index = image.colour[value];
      uint8_t contrast = image.alpha[value];
      if (highlight.on && fx >= highlight.sx && fx <= highlight.ex && fy >= highlight.sy && fy <= highlight.ey) {
        index = (highlight.colours >> (16 + 4 * value)) & 0x0F;
        contrast = (highlight.colours >> (4 * value)) & 0x0F;
      }
      if (contrast == 0) continue;
      (*frame)[static_cast<size_t>(fy) * frameWidth + fx] =
          YCrCbToArgb(palette[index & 0x0F], static_cast<uint8_t>(contrast * 17));
    }
  }
}

}  // namespace zv::dvd
