#pragma once
#include <string>
#include <string_view>

namespace zv {

enum class PlaylistKind { None, LineList, Own, Pls, Asx };

// Kind by the text after the last "." (any case): "m3u"/"ram", "zvp", "pls", "asx".
PlaylistKind PlaylistKindFromPath(std::u16string_view path);

// A path is fetched over the network when it contains "://".
bool IsUrlPath(std::u16string_view path);

// The playlist's folder: the path up to and including its last "\"; empty
// when there is none.
std::u16string PlaylistDirectory(std::u16string_view playlistPath);

// An entry text as added on load. Texts with a ":" (drive letter, URL
// scheme) and network paths (\\server\share\...) stay as they are; a text
// starting with one "\" is taken on the playlist's drive (or share); any
// other text is relative to the playlist's folder.
std::u16string ResolveEntryPath(std::u16string entry, std::u16string_view playlistPath);

// An entry path as saved: relative when it lies below the playlist's folder
// (compared without regard to case), otherwise unchanged.
std::u16string StoredEntryPath(std::u16string_view path, std::u16string_view playlistPath);

}  // namespace zv
