#include "media/TrackTags.h"

#include "media/LanguageNames.h"

#include <algorithm>
#include <cstring>

namespace zv {
namespace {

// Headers are small; a file whose track list or stream headers claim more
// is not read further.
constexpr size_t kMaxHeaderBytes = 1 << 20;
constexpr int kMaxElements = 4096;
constexpr uint64_t kUnbounded = ~uint64_t{0};

uint8_t Byte(const std::string& data, size_t at) { return static_cast<uint8_t>(data[at]); }

// Lenient UTF-8 (or, where it is not UTF-8, Latin-1) to UTF-16.
std::u16string DecodeText(const std::string& bytes) {
  std::u16string text;
  size_t i = 0;
  while (i < bytes.size()) {
    const uint8_t lead = Byte(bytes, i);
    int extra = lead < 0x80 ? 0 : (lead & 0xE0) == 0xC0 ? 1 : (lead & 0xF0) == 0xE0 ? 2 : (lead & 0xF8) == 0xF0 ? 3 : -1;
    uint32_t code = extra == 0 ? lead : extra == 1 ? lead & 0x1Fu : extra == 2 ? lead & 0x0Fu : lead & 0x07u;
    bool valid = extra >= 0 && i + static_cast<size_t>(extra) < bytes.size();
    for (int k = 1; valid && k <= extra; ++k) {
      const uint8_t next = Byte(bytes, i + static_cast<size_t>(k));
      if ((next & 0xC0) != 0x80) valid = false;
      code = (code << 6) | (next & 0x3Fu);
    }
    if (!valid || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
      text += static_cast<char16_t>(lead);  // Latin-1
      ++i;
      continue;
    }
    if (code >= 0x10000) {
      code -= 0x10000;
      text += static_cast<char16_t>(0xD800 + (code >> 10));
      text += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
    } else {
      text += static_cast<char16_t>(code);
    }
    i += static_cast<size_t>(extra) + 1;
  }
  return text;
}

std::string UpToNul(std::string text) {
  const size_t nul = text.find('\0');
  if (nul != std::string::npos) text.resize(nul);
  return text;
}

// ---- Matroska (EBML) ----

constexpr uint64_t kEbmlHeader = 0x1A45DFA3;
constexpr uint64_t kSegment = 0x18538067;
constexpr uint64_t kSeekHead = 0x114D9B74;
constexpr uint64_t kSeek = 0x4DBB;
constexpr uint64_t kSeekId = 0x53AB;
constexpr uint64_t kSeekPosition = 0x53AC;
constexpr uint64_t kTracks = 0x1654AE6B;
constexpr uint64_t kTrackEntry = 0xAE;
constexpr uint64_t kTrackType = 0x83;
constexpr uint64_t kLanguage = 0x22B59C;
constexpr uint64_t kLanguageBcp47 = 0x22B59D;
constexpr uint64_t kName = 0x536E;
constexpr uint64_t kAudio = 0xE1;
constexpr uint64_t kSamplingFrequency = 0xB5;
constexpr uint64_t kOutputSamplingFrequency = 0x78B5;
constexpr uint64_t kChannels = 0x9F;
constexpr uint64_t kCluster = 0x1F43B675;

struct Element {
  uint64_t id = 0;
  uint64_t dataStart = 0;  // absolute offset of the payload
  uint64_t size = 0;       // kUnbounded for an unknown size
};

// One variable-length integer of `data` at `at`: its length (1..maxLength)
// and value (with the length marker kept for IDs, removed for sizes).
bool ReadVint(const std::string& data, size_t at, size_t maxLength, bool keepMarker, size_t* length,
              uint64_t* value, bool* allOnes) {
  if (at >= data.size()) return false;
  const uint8_t first = Byte(data, at);
  size_t n = 1;
  while (n <= maxLength && !(first & (0x80 >> (n - 1)))) ++n;
  if (n > maxLength || at + n > data.size()) return false;
  uint64_t v = keepMarker ? first : (first & (0xFFu >> n));
  bool ones = v == (0xFFu >> n);
  for (size_t k = 1; k < n; ++k) {
    const uint8_t b = Byte(data, at + k);
    ones = ones && b == 0xFF;
    v = (v << 8) | b;
  }
  *length = n;
  *value = v;
  if (allOnes) *allOnes = ones;
  return true;
}

// The element header at `at` of `data` (whose first byte lies at absolute
// offset `base`).
bool ParseHeader(const std::string& data, size_t at, uint64_t base, Element* e) {
  size_t idLength = 0;
  size_t sizeLength = 0;
  bool unknown = false;
  if (!ReadVint(data, at, 4, true, &idLength, &e->id, nullptr)) return false;
  if (!ReadVint(data, at + idLength, 8, false, &sizeLength, &e->size, &unknown)) return false;
  if (unknown) e->size = kUnbounded;
  e->dataStart = base + at + idLength + sizeLength;
  return true;
}

bool HeaderAt(const ByteReader& read, uint64_t at, Element* e) {
  return ParseHeader(read(at, 12), 0, at, e);
}

uint64_t UnsignedOf(const std::string& payload) {
  uint64_t v = 0;
  for (size_t i = 0; i < payload.size() && i < 8; ++i) v = (v << 8) | Byte(payload, i);
  return v;
}

// An EBML float (4 or 8 bytes, big-endian) as a whole number; 0 when it is
// not one or out of range.
uint32_t FloatAsWhole(const std::string& payload) {
  double value = 0;
  const uint64_t bits = UnsignedOf(payload);
  if (payload.size() == 4) {
    const uint32_t narrow = static_cast<uint32_t>(bits);
    float f;
    static_assert(sizeof f == sizeof narrow, "IEEE single");
    memcpy(&f, &narrow, sizeof f);
    value = static_cast<double>(f);
  } else if (payload.size() == 8) {
    static_assert(sizeof value == sizeof bits, "IEEE double");
    memcpy(&value, &bits, sizeof value);
  }
  if (!(value >= 1.0 && value < 4294967295.0)) return 0;
  return static_cast<uint32_t>(value + 0.5);
}

// Calls visit(id, payload) for each child in `data` (payloads in memory).
template <class Visit>
void ForEachChild(const std::string& data, Visit visit) {
  size_t at = 0;
  for (int count = 0; at < data.size() && count < kMaxElements; ++count) {
    Element e;
    if (!ParseHeader(data, at, 0, &e) || e.size == kUnbounded || e.dataStart > data.size() ||
        e.size > data.size() - e.dataStart)
      return;
    visit(e.id, data.substr(static_cast<size_t>(e.dataStart), static_cast<size_t>(e.size)));
    at = static_cast<size_t>(e.dataStart + e.size);
  }
}

std::vector<TrackTag> ParseMatroskaTracks(const std::string& tracks) {
  std::vector<TrackTag> result;
  ForEachChild(tracks, [&](uint64_t id, const std::string& entry) {
    if (id != kTrackEntry) return;
    TrackTag tag;
    std::string language = "eng";  // the format's default when the entry has none
    std::string bcp47;
    ForEachChild(entry, [&](uint64_t childId, const std::string& value) {
      if (childId == kTrackType) {
        const uint64_t type = UnsignedOf(value);
        tag.kind = type == 1 ? TrackKind::Video : type == 2 ? TrackKind::Audio : type == 0x11 ? TrackKind::Subtitle
                                                                                                : TrackKind::Other;
      } else if (childId == kLanguage) {
        language = UpToNul(value);
      } else if (childId == kLanguageBcp47) {
        bcp47 = UpToNul(value);
      } else if (childId == kName) {
        tag.title = DecodeText(UpToNul(value));
      } else if (childId == kAudio) {
        uint32_t rate = 0, outputRate = 0;
        tag.channels = 1;  // the format's default
        ForEachChild(value, [&](uint64_t audioId, const std::string& field) {
          if (audioId == kSamplingFrequency) rate = FloatAsWhole(field);
          if (audioId == kOutputSamplingFrequency) outputRate = FloatAsWhole(field);
          if (audioId == kChannels) tag.channels = static_cast<uint32_t>(std::min<uint64_t>(UnsignedOf(field), 0xFFFF));
        });
        tag.sampleRate = outputRate ? outputRate : rate;
      }
    });
    tag.language = bcp47.empty() ? language : bcp47;
    result.push_back(std::move(tag));
  });
  return result;
}

std::vector<TrackTag> ReadTracksElement(const ByteReader& read, const Element& tracks) {
  if (tracks.size == kUnbounded || tracks.size > kMaxHeaderBytes) return {};
  const std::string payload = read(tracks.dataStart, static_cast<size_t>(tracks.size));
  if (payload.size() != tracks.size) return {};
  return ParseMatroskaTracks(payload);
}

// Where the seek head says the track list is, relative to the segment's payload.
bool TracksPositionFromSeekHead(const std::string& seekHead, uint64_t* position) {
  bool found = false;
  ForEachChild(seekHead, [&](uint64_t id, const std::string& seek) {
    if (id != kSeek || found) return;
    std::string target;
    uint64_t at = 0;
    bool hasPosition = false;
    ForEachChild(seek, [&](uint64_t childId, const std::string& value) {
      if (childId == kSeekId) target = value;
      if (childId == kSeekPosition) {
        at = UnsignedOf(value);
        hasPosition = true;
      }
    });
    if (hasPosition && target == std::string("\x16\x54\xAE\x6B", 4)) {
      *position = at;
      found = true;
    }
  });
  return found;
}

std::vector<TrackTag> ReadMatroska(const ByteReader& read) {
  Element e;
  if (!HeaderAt(read, 0, &e) || e.id != kEbmlHeader || e.size > kUnbounded - e.dataStart) return {};
  uint64_t at = e.dataStart + e.size;
  Element segment;
  for (int i = 0;; ++i) {
    if (i >= 16 || !HeaderAt(read, at, &segment)) return {};
    if (segment.id == kSegment) break;
    if (segment.size > kUnbounded - segment.dataStart) return {};
    at = segment.dataStart + segment.size;
  }
  const uint64_t segmentStart = segment.dataStart;
  const uint64_t segmentEnd =
      segment.size == kUnbounded || segment.size > kUnbounded - segmentStart ? kUnbounded : segmentStart + segment.size;
  bool haveTracksPosition = false;
  uint64_t tracksPosition = 0;
  at = segmentStart;
  for (int i = 0; i < kMaxElements && at < segmentEnd; ++i) {
    Element child;
    if (!HeaderAt(read, at, &child)) break;
    if (child.id == kTracks) return ReadTracksElement(read, child);
    if (child.id == kCluster || child.size == kUnbounded) break;
    if (child.id == kSeekHead && !haveTracksPosition && child.size <= kMaxHeaderBytes) {
      const std::string payload = read(child.dataStart, static_cast<size_t>(child.size));
      haveTracksPosition = TracksPositionFromSeekHead(payload, &tracksPosition);
    }
    if (child.size > kUnbounded - child.dataStart) break;
    at = child.dataStart + child.size;
  }
  if (!haveTracksPosition || tracksPosition > kUnbounded - segmentStart) return {};
  Element tracks;
  if (!HeaderAt(read, segmentStart + tracksPosition, &tracks) || tracks.id != kTracks) return {};
  return ReadTracksElement(read, tracks);
}

// ---- AVI (RIFF) ----

uint32_t Le32(const std::string& data, size_t at) {
  return static_cast<uint32_t>(Byte(data, at)) | static_cast<uint32_t>(Byte(data, at + 1)) << 8 |
         static_cast<uint32_t>(Byte(data, at + 2)) << 16 | static_cast<uint32_t>(Byte(data, at + 3)) << 24;
}

// Calls visit(fourcc, payload) for each chunk of `data`.
template <class Visit>
void ForEachChunk(const std::string& data, Visit visit) {
  size_t at = 0;
  for (int count = 0; count < kMaxElements && data.size() >= 8 && at <= data.size() - 8; ++count) {
    const std::string id = data.substr(at, 4);
    const uint32_t size = Le32(data, at + 4);
    if (size > data.size() - at - 8) return;
    visit(id, data.substr(at + 8, size));
    at += 8 + static_cast<size_t>(size) + (size & 1);
  }
}

TrackTag ParseStreamList(const std::string& strl) {
  TrackTag tag;
  ForEachChunk(strl, [&](const std::string& id, const std::string& payload) {
    if (id == "strh" && payload.size() >= 4) {
      const std::string type = payload.substr(0, 4);
      tag.kind = type == "vids" ? TrackKind::Video : type == "auds" ? TrackKind::Audio : type == "txts" ? TrackKind::Subtitle
                                                                                                        : TrackKind::Other;
    } else if (id == "strf" && tag.kind == TrackKind::Audio && payload.size() >= 8) {
      tag.channels = static_cast<uint32_t>(Byte(payload, 2) | Byte(payload, 3) << 8);  // WAVEFORMATEX
      tag.sampleRate = Le32(payload, 4);
    } else if (id == "strn") {
      // Stream names are free text; some writers put a language code there.
      const std::string name = UpToNul(payload);
      if (IsLanguageCode(name))
        tag.language = name;
      else
        tag.title = DecodeText(name);
    }
  });
  return tag;
}

std::vector<TrackTag> ReadAvi(const ByteReader& read) {
  const std::string riff = read(0, 12);
  if (riff.size() < 12 || riff.compare(0, 4, "RIFF") != 0 || riff.compare(8, 4, "AVI ") != 0) return {};
  uint64_t at = 12;
  for (int i = 0; i < 64; ++i) {
    const std::string header = read(at, 12);
    if (header.size() < 8) return {};
    const uint32_t size = Le32(header, 4);
    if (header.compare(0, 4, "LIST") == 0 && header.size() == 12 && header.compare(8, 4, "hdrl") == 0) {
      if (size < 4 || size - 4 > kMaxHeaderBytes) return {};
      const std::string hdrl = read(at + 12, size - 4);
      std::vector<TrackTag> result;
      ForEachChunk(hdrl, [&](const std::string& id, const std::string& payload) {
        if (id == "LIST" && payload.size() >= 4 && payload.compare(0, 4, "strl") == 0)
          result.push_back(ParseStreamList(payload.substr(4)));
      });
      return result;
    }
    at += 8 + static_cast<uint64_t>(size) + (size & 1);
  }
  return {};
}

}  // namespace

std::vector<TrackTag> ReadTrackTags(const ByteReader& read) {
  std::vector<TrackTag> tracks = ReadMatroska(read);
  if (tracks.empty()) tracks = ReadAvi(read);
  return tracks;
}

std::vector<TrackTag> ReadTrackTags(const std::string& bytes) {
  return ReadTrackTags([&bytes](uint64_t offset, size_t size) {
    if (offset >= bytes.size()) return std::string();
    return bytes.substr(static_cast<size_t>(offset), size);
  });
}

std::vector<int> AssignTracksToPins(const std::vector<AudioPinFormat>& pins, const std::vector<TrackTag>& tracks,
                                    bool orderKnown) {
  std::vector<int> byOrder(pins.size(), -1);
  if (pins.size() == tracks.size())
    for (size_t i = 0; i < pins.size(); ++i) byOrder[i] = static_cast<int>(i);
  const std::vector<int> unknown(pins.size(), -1);
  if (pins.size() != tracks.size()) return unknown;
  auto same = [](const AudioPinFormat& p, const TrackTag& t) {
    return p.sampleRate == t.sampleRate && p.channels == t.channels;
  };
  std::vector<int> result(pins.size(), -1);
  for (size_t i = 0; i < pins.size(); ++i) {
    if (result[i] != -1) continue;
    const AudioPinFormat format = pins[i];
    if (format.sampleRate == 0 || format.channels == 0) return orderKnown ? byOrder : unknown;
    std::vector<size_t> groupPins, groupTracks;
    for (size_t k = 0; k < pins.size(); ++k)
      if (pins[k].sampleRate == format.sampleRate && pins[k].channels == format.channels) groupPins.push_back(k);
    for (size_t k = 0; k < tracks.size(); ++k)
      if (same(format, tracks[k])) groupTracks.push_back(k);
    if (groupPins.size() != groupTracks.size()) return orderKnown ? byOrder : unknown;
    bool alike = true;
    for (size_t k : groupTracks) {
      alike = alike && StreamDisplayName(tracks[k].language, tracks[k].title, u"") ==
                           StreamDisplayName(tracks[groupTracks[0]].language, tracks[groupTracks[0]].title, u"");
    }
    for (size_t k = 0; k < groupPins.size(); ++k)
      result[groupPins[k]] = groupPins.size() == 1 || alike || orderKnown ? static_cast<int>(groupTracks[k]) : -2;
  }
  for (int& r : result)
    if (r == -2) r = -1;
  return result;
}

std::vector<TrackTag> TracksOfKind(const std::vector<TrackTag>& tracks, TrackKind kind) {
  std::vector<TrackTag> result;
  std::copy_if(tracks.begin(), tracks.end(), std::back_inserter(result),
               [kind](const TrackTag& t) { return t.kind == kind; });
  return result;
}

}  // namespace zv
