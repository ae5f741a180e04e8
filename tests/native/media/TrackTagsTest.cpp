// Track languages and titles from container headers, and the names the
// stream menus make of them.
#include "media/LanguageNames.h"
#include "media/TrackTags.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

using namespace zv;

namespace {

// ---- a small Matroska writer ----

std::string Id(uint32_t id) {
  std::string bytes;
  for (int shift = 24; shift >= 0; shift -= 8)
    if ((id >> shift) || !bytes.empty() || shift == 0) bytes += static_cast<char>((id >> shift) & 0xFF);
  return bytes;
}

// Sizes in eight bytes, as some writers do; `unknown` writes the all-ones size.
std::string Size(uint64_t size, bool unknown = false) {
  std::string bytes(1, '\x01');
  for (int shift = 48; shift >= 0; shift -= 8) bytes += static_cast<char>(unknown ? 0xFF : (size >> shift) & 0xFF);
  return bytes;
}

std::string Element(uint32_t id, const std::string& payload) { return Id(id) + Size(payload.size()) + payload; }
std::string Uint(uint32_t id, uint8_t value) { return Element(id, std::string(1, static_cast<char>(value))); }

// An EBML float of four bytes.
std::string Float(uint32_t id, float value) {
  uint32_t bits;
  memcpy(&bits, &value, sizeof bits);
  std::string bytes;
  for (int shift = 24; shift >= 0; shift -= 8) bytes += static_cast<char>((bits >> shift) & 0xFF);
  return Element(id, bytes);
}

std::string TrackEntry(uint8_t type, const std::string& language, const std::string& name,
                       const std::string& bcp47 = {}, const std::string& audio = {}) {
  std::string entry = Uint(0xD7, 1) + Uint(0x83, type);
  if (!audio.empty()) entry += Element(0xE1, audio);
  if (!language.empty()) entry += Element(0x22B59C, language);
  if (!bcp47.empty()) entry += Element(0x22B59D, bcp47);
  if (!name.empty()) entry += Element(0x536E, name);
  return Element(0xAE, entry);
}

std::string Matroska(const std::string& segmentChildren) {
  return Element(0x1A45DFA3, Element(0x4282, "matroska")) + Element(0x18538067, segmentChildren);
}

// ---- a small AVI writer ----

std::string Le32(uint32_t v) {
  std::string bytes;
  for (int i = 0; i < 4; ++i) bytes += static_cast<char>((v >> (8 * i)) & 0xFF);
  return bytes;
}

std::string Chunk(const std::string& id, const std::string& payload) {
  std::string chunk = id + Le32(static_cast<uint32_t>(payload.size())) + payload;
  if (payload.size() & 1) chunk += '\0';
  return chunk;
}

std::string List(const std::string& type, const std::string& payload) { return Chunk("LIST", type + payload); }

// A stream list; audio streams get a wave format of `rate` and two channels.
std::string StreamList(const std::string& kind, const std::string& name, uint32_t rate = 44100) {
  std::string format(16, '\0');
  if (kind == "auds") format = std::string("\x01\x00\x02\x00", 4) + Le32(rate) + std::string(8, '\0');
  std::string strl = Chunk("strh", kind + std::string(52, '\0')) + Chunk("strf", format);
  if (!name.empty()) strl += Chunk("strn", name + '\0');
  return List("strl", strl);
}

std::string Avi(const std::string& hdrlChildren) {
  const std::string body = "AVI " + List("hdrl", Chunk("avih", std::string(56, '\0')) + hdrlChildren) +
                           List("movi", Chunk("00dc", "xx"));
  return "RIFF" + Le32(static_cast<uint32_t>(body.size())) + body;
}

}  // namespace

TEST(TrackTags, MatroskaTracksGiveKindsLanguagesAndTitlesInOrder) {
  const std::string file = Matroska(Element(0x1549A966, Uint(0x2AD7B1, 1)) +
                                    Element(0x1654AE6B, TrackEntry(1, "und", "") + TrackEntry(2, "eng", "") +
                                                            TrackEntry(2, "ger", "Kommentar \xC3\xBC") +
                                                            TrackEntry(0x11, "fre", "", "fr-CA")));
  const std::vector<TrackTag> tracks = ReadTrackTags(file);
  ASSERT_EQ(tracks.size(), 4u);
  EXPECT_EQ(tracks[0].kind, TrackKind::Video);
  EXPECT_EQ(tracks[1].kind, TrackKind::Audio);
  EXPECT_EQ(tracks[1].language, "eng");
  EXPECT_EQ(tracks[2].language, "ger");
  EXPECT_EQ(tracks[2].title, u"Kommentar \u00fc");
  EXPECT_EQ(tracks[3].kind, TrackKind::Subtitle);
  EXPECT_EQ(tracks[3].language, "fr-CA");  // the language tag wins over the old code
  const std::vector<TrackTag> audio = TracksOfKind(tracks, TrackKind::Audio);
  ASSERT_EQ(audio.size(), 2u);
  EXPECT_EQ(audio[1].language, "ger");
}

TEST(TrackTags, AudioTracksTellTheirRateAndChannels) {
  const std::string file = Matroska(Element(
      0x1654AE6B, TrackEntry(2, "eng", "", "", Float(0xB5, 44100.0f) + Uint(0x9F, 2)) +
                      TrackEntry(2, "ger", "", "", Float(0xB5, 24000.0f) + Float(0x78B5, 48000.0f) + Uint(0x9F, 6)) +
                      TrackEntry(2, "fre", "", "", Float(0xB5, 22050.0f))));
  const std::vector<TrackTag> tracks = ReadTrackTags(file);
  ASSERT_EQ(tracks.size(), 3u);
  EXPECT_EQ(tracks[0].sampleRate, 44100u);
  EXPECT_EQ(tracks[0].channels, 2u);
  EXPECT_EQ(tracks[1].sampleRate, 48000u);  // what it decodes to
  EXPECT_EQ(tracks[1].channels, 6u);
  EXPECT_EQ(tracks[2].channels, 1u);  // the format's default
  const std::vector<TrackTag> avi = ReadTrackTags(Avi(StreamList("auds", "eng", 48000)));
  ASSERT_EQ(avi.size(), 1u);
  EXPECT_EQ(avi[0].sampleRate, 48000u);
  EXPECT_EQ(avi[0].channels, 2u);
}

TEST(TrackTags, PinsMeetTheirTracksByFormatAndByOrderOnlyWhereTheOrderIsKnown) {
  auto track = [](const char* language, uint32_t rate, uint32_t channels) {
    TrackTag t;
    t.kind = TrackKind::Audio;
    t.language = language;
    t.sampleRate = rate;
    t.channels = channels;
    return t;
  };
  const std::vector<TrackTag> tracks = {track("eng", 44100, 2), track("ger", 48000, 2), track("fre", 22050, 1)};
  // Pins in another order than the tracks: formats sort them out.
  const std::vector<AudioPinFormat> shuffled = {{22050, 1}, {44100, 2}, {48000, 2}};
  EXPECT_EQ(AssignTracksToPins(shuffled, tracks, false), (std::vector<int>{2, 0, 1}));
  EXPECT_EQ(AssignTracksToPins(shuffled, tracks, true), (std::vector<int>{2, 0, 1}));

  // Two tracks of one format: only a splitter known to keep the order tells them apart.
  const std::vector<TrackTag> alike = {track("eng", 48000, 2), track("ger", 48000, 2), track("fre", 22050, 1)};
  const std::vector<AudioPinFormat> pins = {{22050, 1}, {48000, 2}, {48000, 2}};
  EXPECT_EQ(AssignTracksToPins(pins, alike, false), (std::vector<int>{2, -1, -1}));
  EXPECT_EQ(AssignTracksToPins(pins, alike, true), (std::vector<int>{2, 0, 1}));
  // ... unless they would be called the same anyway.
  const std::vector<TrackTag> twins = {track("eng", 48000, 2), track("en", 48000, 2)};
  EXPECT_EQ(AssignTracksToPins({{48000, 2}, {48000, 2}}, twins, false), (std::vector<int>{0, 1}));

  // Formats that do not match up (a splitter that converts), unknown
  // formats and other counts.
  EXPECT_EQ(AssignTracksToPins({{48000, 2}, {48000, 2}, {48000, 2}}, tracks, false), (std::vector<int>{-1, -1, -1}));
  EXPECT_EQ(AssignTracksToPins({{48000, 2}, {48000, 2}, {48000, 2}}, tracks, true), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(AssignTracksToPins({{0, 0}, {48000, 2}, {22050, 1}}, tracks, false), (std::vector<int>{-1, -1, -1}));
  EXPECT_EQ(AssignTracksToPins({{44100, 2}, {48000, 2}}, tracks, true), (std::vector<int>{-1, -1}));
  EXPECT_TRUE(AssignTracksToPins({}, {}, false).empty());
}

TEST(TrackTags, MatroskaEntryWithoutLanguageIsEnglishAsTheFormatSays) {
  const std::vector<TrackTag> tracks = ReadTrackTags(Matroska(Element(0x1654AE6B, TrackEntry(2, "", ""))));
  ASSERT_EQ(tracks.size(), 1u);
  EXPECT_EQ(tracks[0].language, "eng");
}

TEST(TrackTags, MatroskaTrackListBehindTheFirstClusterIsFoundThroughTheSeekHead) {
  const std::string tracks = Element(0x1654AE6B, TrackEntry(2, "spa", "") + TrackEntry(2, "ita", ""));
  const std::string cluster = Element(0x1F43B675, Uint(0xE7, 0) + std::string(100, '\0'));
  // The seek head's size does not depend on the position it holds (one byte).
  auto seekHead = [](uint8_t position) {
    return Element(0x114D9B74, Element(0x4DBB, Element(0x53AB, Id(0x1654AE6B)) + Uint(0x53AC, position)));
  };
  const std::string head = seekHead(0);
  ASSERT_LT(head.size() + cluster.size(), 256u);  // one byte of position
  const std::string file = Matroska(seekHead(static_cast<uint8_t>(head.size() + cluster.size())) + cluster + tracks);
  const std::vector<TrackTag> found = ReadTrackTags(file);
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(found[0].language, "spa");
  EXPECT_EQ(found[1].language, "ita");
}

TEST(TrackTags, AviStreamNamesAreLanguagesWhenTheyAreCodesAndTitlesOtherwise) {
  const std::string file = Avi(StreamList("vids", "") + StreamList("auds", "eng") + StreamList("auds", "ger") +
                               StreamList("auds", "Director's comments"));
  const std::vector<TrackTag> tracks = ReadTrackTags(file);
  ASSERT_EQ(tracks.size(), 4u);
  EXPECT_EQ(tracks[0].kind, TrackKind::Video);
  EXPECT_EQ(tracks[1].kind, TrackKind::Audio);
  EXPECT_EQ(tracks[1].language, "eng");
  EXPECT_EQ(tracks[2].language, "ger");
  EXPECT_EQ(tracks[3].language, "");
  EXPECT_EQ(tracks[3].title, u"Director's comments");
}

TEST(TrackTags, DamagedOrForeignDataGivesNothingAndNeverReadsPastItsEnd) {
  const std::string good = Matroska(Element(0x1654AE6B, TrackEntry(2, "eng", "") + TrackEntry(2, "ger", "")));
  // Every truncation of a good file: a prefix of the tracks or nothing.
  for (size_t length = 0; length < good.size(); ++length) {
    const std::vector<TrackTag> tracks = ReadTrackTags(good.substr(0, length));
    EXPECT_LE(tracks.size(), 2u) << length;
  }
  const std::string avi = Avi(StreamList("auds", "eng"));
  for (size_t length = 0; length < avi.size(); ++length) EXPECT_LE(ReadTrackTags(avi.substr(0, length)).size(), 1u);
  static const char kForeign[] = "ID3\x04\x00 not a container";
  EXPECT_TRUE(ReadTrackTags(std::string(kForeign, sizeof kForeign - 1)).empty());
  // A segment claiming more than there is, and an element of unknown size before the tracks.
  EXPECT_TRUE(ReadTrackTags(Element(0x1A45DFA3, "") + Id(0x18538067) + Size(0, true) + Id(0x1549A966) +
                            Size(0, true))
                  .empty());
  // A reader that fails everywhere.
  EXPECT_TRUE(ReadTrackTags(ByteReader([](uint64_t, size_t) { return std::string(); })).empty());
}

TEST(LanguageNames, CodesOfEveryFormBecomeEnglishNames) {
  EXPECT_EQ(EnglishLanguageName("eng"), u"English");
  EXPECT_EQ(EnglishLanguageName("en"), u"English");
  EXPECT_EQ(EnglishLanguageName("ger"), u"German");  // bibliographic
  EXPECT_EQ(EnglishLanguageName("deu"), u"German");  // terminology
  EXPECT_EQ(EnglishLanguageName("DE"), u"German");
  EXPECT_EQ(EnglishLanguageName("pt-BR"), u"Portuguese");
  EXPECT_EQ(EnglishLanguageName("zh_Hant"), u"Chinese");
  EXPECT_EQ(EnglishLanguageName("nob"), u"Norwegian Bokm\u00e5l");
  EXPECT_EQ(EnglishLanguageName("fil"), u"Filipino");
  for (const char* unknown : {"und", "mul", "zxx", "", "e", "engl", "x-klingon", "12", "en\xC3"})
    EXPECT_EQ(EnglishLanguageName(unknown), u"") << unknown;
  EXPECT_EQ(TwoLetterLanguageCode("ger"), "de");
  EXPECT_EQ(TwoLetterLanguageCode("fil"), "");
  EXPECT_TRUE(IsLanguageCode("ger"));
  EXPECT_FALSE(IsLanguageCode("German"));
  EXPECT_FALSE(IsLanguageCode("en-US"));
}

TEST(LanguageNames, StreamNamesPreferTheLanguageAndKeepATitleThatSaysMore) {
  EXPECT_EQ(StreamDisplayName("eng", u"", u"Stream 01"), u"English");
  EXPECT_EQ(StreamDisplayName("ger", u"Kommentar", u"Stream 02"), u"German (Kommentar)");
  EXPECT_EQ(StreamDisplayName("ger", u"German", u"Stream 02"), u"German");
  EXPECT_EQ(StreamDisplayName("ger", u"GER", u"Stream 02"), u"German");
  EXPECT_EQ(StreamDisplayName("und", u"Commentary", u"Stream 02"), u"Commentary");
  EXPECT_EQ(StreamDisplayName("", u"", u"Stream 02"), u"Stream 02");
}
