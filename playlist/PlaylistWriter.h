#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zv {

// The "build" text of a saved playlist from the version resource's product
// version: "," becomes "." and spaces go ("1, 3, 1, 9" -> "1.3.1.9").
std::u16string BuildTextFromProductVersion(std::u16string_view productVersion);

// The document text of the program's own playlist format, one element per
// line, CR LF. Paths below the playlist file's folder are stored relative.
std::u16string OwnPlaylistText(const std::vector<std::u16string>& paths, int lastPosition,
                               std::u16string_view buildText, std::u16string_view playlistPath);

// The same as file bytes: FF FE and UTF-16 LE.
std::vector<uint8_t> OwnPlaylistBytes(const std::vector<std::u16string>& paths, int lastPosition,
                                      std::u16string_view buildText, std::u16string_view playlistPath);

}  // namespace zv
