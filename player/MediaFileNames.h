#pragma once
// Name rules of opening media that need no file system: the audio files a
// video may have beside it, whether a name is a known media file, and the
// neighbour of a file in its folder's listing.
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace zv {

class FileTypeList;

// The same-name audio files of a video, in the order they are tried: the
// name up to the dot of its extension followed by ".wav", ".wma", ".mp3",
// ".ac3" and ".mp2". A dot in a folder name does not count.
std::vector<std::u16string> SameNameAudioCandidates(const std::u16string& videoName);

// The extension of a file name without the dot; empty without one.
std::u16string ExtensionOf(const std::u16string& fileName);

// True when the extension (any case) is a known video or audio type.
bool HasMediaExtension(const FileTypeList& types, const std::u16string& fileName);

// In a folder listing (file-system order) the index of the first name after
// (direction > 0) or before the current one, wrapping at the ends, that the
// predicate accepts. The current name is found without regard to case.
// None when the current name is not listed or no other name qualifies.
std::optional<size_t> NeighbourInListing(const std::vector<std::u16string>& listing,
                                         const std::u16string& currentName, int direction,
                                         const std::function<bool(const std::u16string&)>& accept);

// Case-insensitive comparison of ASCII letters, as file names compare.
bool EqualsIgnoringAsciiCase(const std::u16string& a, const std::u16string& b);

}  // namespace zv
