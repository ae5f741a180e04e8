// DVD packs and subpicture units: what the splitter is given, and what the
// overlay draws.
#include "media/dvd/DvdPacks.h"
#include "media/dvd/Subpicture.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

using namespace zv::dvd;

namespace {

// A pack header (MPEG-2, no stuffing) followed by PES packets.
struct PackBuilder {
  std::vector<uint8_t> bytes{0, 0, 1, 0xBA, 0x44, 0, 4, 0, 4, 1, 1, 0x89, 0xC3, 0xF8};
  void Packet(uint8_t id, std::vector<uint8_t> payload, int substream = -1, int64_t pts = -1) {
    std::vector<uint8_t> header{0x81, 0x00, 0x00};
    if (pts >= 0) {
      header[1] = 0x80;
      header[2] = 5;
      header.push_back(static_cast<uint8_t>(0x21 | ((pts >> 29) & 0x0E)));
      header.push_back(static_cast<uint8_t>(pts >> 22));
      header.push_back(static_cast<uint8_t>(0x01 | ((pts >> 14) & 0xFE)));
      header.push_back(static_cast<uint8_t>(pts >> 7));
      header.push_back(static_cast<uint8_t>(0x01 | ((pts << 1) & 0xFE)));
    }
    if (substream >= 0) header.push_back(static_cast<uint8_t>(substream));
    const size_t length = header.size() + payload.size();
    bytes.insert(bytes.end(), {0, 0, 1, id, static_cast<uint8_t>(length >> 8), static_cast<uint8_t>(length)});
    bytes.insert(bytes.end(), header.begin(), header.end());
    bytes.insert(bytes.end(), payload.begin(), payload.end());
  }
  std::vector<uint8_t> Finish() {
    // Padding up to the pack size, as the packs of a disc have.
    const size_t rest = kPackSize - bytes.size() - 6;
    bytes.insert(bytes.end(), {0, 0, 1, 0xBE, static_cast<uint8_t>(rest >> 8), static_cast<uint8_t>(rest)});
    bytes.resize(kPackSize, 0xFF);
    return bytes;
  }
};

std::vector<uint8_t> StreamIds(const std::vector<uint8_t>& pack) {
  std::vector<uint8_t> ids;
  size_t pos = 14;
  while (pos + 6 <= pack.size() && pack[pos] == 0 && pack[pos + 1] == 0 && pack[pos + 2] == 1) {
    ids.push_back(pack[pos + 3]);
    pos += 6 + ((pack[pos + 4] << 8) | pack[pos + 5]);
  }
  return ids;
}

// A subpicture unit of a 6 x 2 area at (10, 20): top line "one pixel of 3, five of 1",
// bottom line "2 to the end"; shown for 2048 ticks (two delay units).
std::vector<uint8_t> SmallUnit() {
  std::vector<uint8_t> unit{0, 0, 0, 0};
  const size_t top = unit.size();
  // Line 1: run of 1 pixel value 3 (nibble 0x7), run of 5 pixels value 1 (nibbles 0x1,0x5 -> 0x15).
  unit.insert(unit.end(), {0x71, 0x50});  // 7 | 1 5 | pad
  const size_t bottom = unit.size();
  // Line 2: value 2 to the end of the line (four nibbles 0000 0000 0000 0010 -> 0x0002).
  unit.insert(unit.end(), {0x00, 0x02});
  const size_t control = unit.size();
  unit.insert(unit.end(), {0x00, 0x00, static_cast<uint8_t>(control >> 8), static_cast<uint8_t>(control)});
  unit.insert(unit.end(), {0x01, 0x03, 0x32, 0x10, 0x04, 0xFF, 0xF0, 0x05});
  // x 10..15, y 20..21
  unit.insert(unit.end(), {0x00, 0xA0, 0x0F, 0x01, 0x40, 0x15});
  unit.insert(unit.end(), {0x06, static_cast<uint8_t>(top >> 8), static_cast<uint8_t>(top),
                           static_cast<uint8_t>(bottom >> 8), static_cast<uint8_t>(bottom), 0xFF});
  const size_t stop = unit.size();
  unit.insert(unit.end(), {0x00, 0x02, static_cast<uint8_t>(stop >> 8), static_cast<uint8_t>(stop), 0x02, 0xFF});
  unit[control + 2] = static_cast<uint8_t>(stop >> 8);  // the first sequence leads to the second
  unit[control + 3] = static_cast<uint8_t>(stop);
  unit[0] = static_cast<uint8_t>(unit.size() >> 8);
  unit[1] = static_cast<uint8_t>(unit.size());
  unit[2] = static_cast<uint8_t>(control >> 8);
  unit[3] = static_cast<uint8_t>(control);
  return unit;
}

std::vector<uint8_t> ReadCorpus(const char* name) {
  const char* source = getenv("ZV_SOURCE_DIR");
  std::ifstream in(std::string(source ? source : ".") + "/fuzz/corpus/fuzz_dvd_subpicture/" + name, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

TEST(DvdPacks, OnlyVideoAndTheChosenAudioReachTheSplitter) {
  PackBuilder builder;
  builder.Packet(0xE0, std::vector<uint8_t>(100, 0x11));
  builder.Packet(0xBD, std::vector<uint8_t>(50, 0x22), 0x80);
  builder.Packet(0xBD, std::vector<uint8_t>(50, 0x33), 0x81);
  builder.Packet(0xBD, std::vector<uint8_t>(40, 0x44), 0x20);
  builder.Packet(0xC0, std::vector<uint8_t>(30, 0x55));
  std::vector<uint8_t> pack = builder.Finish();
  const std::vector<uint8_t> before = StreamIds(pack);
  FilterPack(pack.data(), AudioStreamId(kAudioAc3, 1));
  EXPECT_EQ(pack.size(), kPackSize);
  const std::vector<uint8_t> after = StreamIds(pack);
  ASSERT_EQ(after.size(), before.size()) << "packets keep their places";
  EXPECT_EQ(after[0], 0xE0);
  EXPECT_EQ(after[1], 0xBE);
  EXPECT_EQ(after[2], 0xBD);
  EXPECT_EQ(after[3], 0xBE) << "subpictures are drawn by the program, not the splitter";
  EXPECT_EQ(after[4], 0xBE);
}

TEST(DvdPacks, AudioIdsFollowTheFormat) {
  EXPECT_EQ(AudioStreamId(kAudioAc3, 0), 0x80);
  EXPECT_EQ(AudioStreamId(kAudioDts, 1), 0x89);
  EXPECT_EQ(AudioStreamId(kAudioLpcm, 2), 0xA2);
  EXPECT_EQ(AudioStreamId(kAudioMpeg1, 3), 0xC3);
  EXPECT_EQ(AudioStreamId(kAudioAc3, 8), -1);
  EXPECT_EQ(AudioStreamId(99, 0), -1);
}

TEST(DvdPacks, MalformedPacksAreLeftAlone) {
  std::vector<uint8_t> pack(kPackSize, 0x5A);
  const std::vector<uint8_t> copy = pack;
  FilterPack(pack.data(), 0x80);
  EXPECT_EQ(pack, copy);
  SpuPacket packet;
  EXPECT_FALSE(FindSpuPacket(pack.data(), pack.size(), 0, &packet));
}

TEST(DvdSubpicture, PacketsReassembleIntoOneUnitWithItsTime) {
  const std::vector<uint8_t> unit = SmallUnit();
  PackBuilder first;
  first.Packet(0xBD, std::vector<uint8_t>(unit.begin(), unit.begin() + 10), 0x21, 90000);
  PackBuilder second;
  second.Packet(0xBD, std::vector<uint8_t>(unit.begin() + 10, unit.end()), 0x21);
  const std::vector<uint8_t> a = first.Finish(), b = second.Finish();
  SpuPacket packet;
  EXPECT_FALSE(FindSpuPacket(a.data(), a.size(), 0, &packet)) << "another stream";
  ASSERT_TRUE(FindSpuPacket(a.data(), a.size(), 1, &packet));
  EXPECT_EQ(packet.pts, 90000);
  SpuAssembler assembler;
  std::vector<uint8_t> whole;
  int64_t pts = -1;
  EXPECT_FALSE(assembler.Add(packet.data, packet.size, packet.pts, &whole, &pts));
  ASSERT_TRUE(FindSpuPacket(b.data(), b.size(), 1, &packet));
  EXPECT_EQ(packet.pts, -1);
  ASSERT_TRUE(assembler.Add(packet.data, packet.size, packet.pts, &whole, &pts));
  EXPECT_EQ(whole, unit);
  EXPECT_EQ(pts, 90000);
}

TEST(DvdSubpicture, AFragmentWithoutItsStartIsIgnored) {
  const std::vector<uint8_t> unit = SmallUnit();
  SpuAssembler assembler;
  std::vector<uint8_t> whole;
  int64_t pts = -1;
  EXPECT_FALSE(assembler.Add(unit.data() + 4, unit.size() - 4, -1, &whole, &pts));
  EXPECT_TRUE(assembler.Add(unit.data(), unit.size(), 7, &whole, &pts));
}

TEST(DvdSubpicture, RunLengthLinesAndDisplayCommandsDecode) {
  const std::vector<uint8_t> unit = SmallUnit();
  SpuImage image;
  ASSERT_TRUE(DecodeSpu(unit.data(), unit.size(), 1000, &image));
  EXPECT_EQ(image.x, 10);
  EXPECT_EQ(image.y, 20);
  EXPECT_EQ(image.width, 6);
  EXPECT_EQ(image.height, 2);
  EXPECT_EQ(image.pixels, (std::vector<uint8_t>{3, 1, 1, 1, 1, 1, 2, 2, 2, 2, 2, 2}));
  EXPECT_EQ(image.colour[3], 3);
  EXPECT_EQ(image.colour[2], 2);
  EXPECT_EQ(image.colour[1], 1);
  EXPECT_EQ(image.colour[0], 0);
  EXPECT_EQ(image.alpha[3], 15);
  EXPECT_EQ(image.alpha[0], 0);
  EXPECT_FALSE(image.forced);
  EXPECT_EQ(image.startPts, 1000);
  EXPECT_EQ(image.endPts, 1000 + 2 * 1024);
}

TEST(DvdSubpicture, TruncatedUnitsAreRefused) {
  const std::vector<uint8_t> unit = SmallUnit();
  SpuImage image;
  // Anything cut before the end of the first display sequence is refused;
  // cut later, the unit shows without its end time.
  const size_t control = (static_cast<size_t>(unit[2]) << 8) | unit[3];
  const size_t second = (static_cast<size_t>(unit[control + 2]) << 8) | unit[control + 3];
  for (size_t size = 0; size < second; ++size) EXPECT_FALSE(DecodeSpu(unit.data(), size, 0, &image)) << size;
  ASSERT_TRUE(DecodeSpu(unit.data(), second, 0, &image));
  EXPECT_EQ(image.endPts, -1);
}

TEST(DvdSubpicture, HighlightColoursReplaceTheButtonsOwn) {
  const std::vector<uint8_t> unit = SmallUnit();
  SpuImage image;
  ASSERT_TRUE(DecodeSpu(unit.data(), unit.size(), 0, &image));
  uint32_t palette[16] = {};
  palette[1] = 0x00EB8080;  // white
  palette[9] = 0x0051F05A;  // red
  Highlight highlight;
  highlight.on = true;
  highlight.sx = 12;
  highlight.ex = 13;
  highlight.sy = 20;
  highlight.ey = 20;
  highlight.colours = (0x9u << 20) | (0xFu << 4);  // value 1: colour 9, contrast 15
  std::vector<uint32_t> frame;
  ComposeSpu(image, palette, highlight, 32, 32, &frame);
  ASSERT_EQ(frame.size(), 32u * 32u);
  const uint32_t plain = frame[20 * 32 + 11];
  const uint32_t lit = frame[20 * 32 + 12];
  EXPECT_EQ(plain, 0xFFEBEBEBu) << "the subpicture's own white outside the highlight";
  EXPECT_EQ(lit >> 24, 0xFFu);
  EXPECT_GT((lit >> 16) & 0xFF, 200u) << "red";
  EXPECT_LT(lit & 0xFF, 60u);
  EXPECT_EQ(frame[0], 0u);
}

TEST(DvdSubpicture, TheMenuOfTheTestDiscDecodes) {
  const std::vector<uint8_t> unit = ReadCorpus("menu_unit");
  ASSERT_FALSE(unit.empty());
  SpuImage image;
  ASSERT_TRUE(DecodeSpu(unit.data(), unit.size(), 0, &image));
  EXPECT_TRUE(image.forced);
  int drawn = 0;
  for (size_t i = 0; i < image.pixels.size(); ++i)
    if (image.alpha[image.pixels[i]] > 0) ++drawn;
  // Two buttons of 231 x 41 pixels.
  EXPECT_NEAR(drawn, 2 * 231 * 41, 2 * 231 * 41 / 10);
}

TEST(DvdSubpicture, StudioColoursConvert) {
  EXPECT_EQ(YCrCbToArgb(0x00EB8080, 15), 0x0FEBEBEBu);
  EXPECT_EQ(YCrCbToArgb(0x00108080, 255), 0xFF101010u);
}
