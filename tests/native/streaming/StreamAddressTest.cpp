// Which names are stream addresses, and which container a stream's first
// bytes show.
#include "streaming/StreamAddress.h"
#include "streaming/StreamSniff.h"

#include <gtest/gtest.h>

#include <string>

using zv::net::AddressScheme;
using zv::net::Container;

TEST(StreamAddress, SchemeIsTheLowerCasePartBeforeTheSeparator) {
  EXPECT_EQ(AddressScheme(u"http://127.0.0.1/a.mkv"), u"http");
  EXPECT_EQ(AddressScheme(u"HTTPS://x/y"), u"https");
  EXPECT_EQ(AddressScheme(u"mms://radio/x"), u"mms");
  EXPECT_EQ(AddressScheme(u"rtsp+tcp://h/x"), u"rtsp+tcp");
  EXPECT_TRUE(zv::net::IsHttpScheme(u"https"));
  EXPECT_FALSE(zv::net::IsHttpScheme(u"rtmp"));
}

TEST(StreamAddress, PathsAndOddNamesAreNoAddresses) {
  int index = 0;
  for (const char16_t* name : {u"C:\\video\\a.avi", u"a.avi", u"://x", u"1http://x", u"ht tp://x", u"C:\\x://y",
                               u"name:stream", u""})
    EXPECT_EQ(AddressScheme(name), u"") << "name " << index++;
}

namespace {

Container Sniff(const std::string& bytes) {
  return zv::net::SniffContainer(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

}  // namespace

TEST(StreamSniff, KnowsTheContainersWithSplittersOfTheirOwn) {
  EXPECT_EQ(Sniff(std::string("RIFF\x10\0\0\0AVI LIST", 16)), Container::kAvi);
  EXPECT_EQ(Sniff(std::string("RIFF\x10\0\0\0WAVEfmt ", 16)), Container::kWave);
  EXPECT_EQ(Sniff(std::string("\0\0\x01\xBA\x44\0", 6)), Container::kMpegSystem);
  EXPECT_EQ(Sniff(std::string("\0\0\x01\xB3\x14\0", 6)), Container::kMpegVideo);
  EXPECT_EQ(Sniff("ID3\x04"), Container::kMpegAudio);
  EXPECT_EQ(Sniff("\xFF\xFB\x90\x64"), Container::kMpegAudio);
}

TEST(StreamSniff, EverythingElseIsLeftToTheSplitters) {
  EXPECT_EQ(Sniff("OggS\0\x02"), Container::kUnknown);
  EXPECT_EQ(Sniff("\x1A\x45\xDF\xA3"), Container::kUnknown);
  EXPECT_EQ(Sniff(std::string("RIFF\x10\0\0\0CDXA", 12)), Container::kUnknown);
  EXPECT_EQ(Sniff("RIFF"), Container::kUnknown);  // too short to tell
  EXPECT_EQ(Sniff("\xFF\xFF\xFF\xFF"), Container::kUnknown);  // no valid frame header
  EXPECT_EQ(Sniff(""), Container::kUnknown);
}
