#pragma once
// The language tags and titles of a container's tracks, read from its
// headers: Matroska/WebM track entries and AVI stream headers. Splitters do
// not always pass them on (the platform's own names its pins "Stream 01"),
// so stream menus read them from the file itself.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace zv {

enum class TrackKind { Video, Audio, Subtitle, Other };

struct TrackTag {
  TrackKind kind = TrackKind::Other;
  std::string language;  // as the container has it ("eng", "de", "pt-BR"); may be empty
  std::u16string title;  // the track's own name; may be empty
  // Audio tracks: the rate and channels they decode to; 0 when unknown.
  uint32_t sampleRate = 0;
  uint32_t channels = 0;
};

// Reads up to `size` bytes at `offset`; fewer (or none) at the end of the
// data or on a read error.
using ByteReader = std::function<std::string(uint64_t offset, size_t size)>;

// The tracks in container order; empty when the data is neither Matroska
// nor AVI or its headers cannot be read. Malformed data never reads outside
// what `read` returns and ends the walk early.
std::vector<TrackTag> ReadTrackTags(const ByteReader& read);

// The same over bytes in memory.
std::vector<TrackTag> ReadTrackTags(const std::string& bytes);

// The tracks of one kind, in order.
std::vector<TrackTag> TracksOfKind(const std::vector<TrackTag>& tracks, TrackKind kind);

// What a splitter's audio pin says of its stream.
struct AudioPinFormat {
  uint32_t sampleRate = 0;  // 0 when unknown
  uint32_t channels = 0;
};

// Which audio track each audio pin of a splitter carries (index into
// `tracks`, or -1 when that cannot be told). A pin whose rate and channels
// no other pin shares is the track with that format. Pins that share a
// format with others are their tracks in order only when `orderKnown` (the
// splitter keeps the container's track order) or when those tracks would
// all be called the same; otherwise they stay unassigned. Different counts,
// or formats that do not match up, assign by order when `orderKnown` and
// leave everything unassigned otherwise.
std::vector<int> AssignTracksToPins(const std::vector<AudioPinFormat>& pins, const std::vector<TrackTag>& tracks,
                                    bool orderKnown);

}  // namespace zv
