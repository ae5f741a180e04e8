#include "playlist/PlaylistPaths.h"

namespace zv {
namespace {

// Case folding for path comparison: ASCII and Latin-1 letters.
char16_t FoldPathCase(char16_t c) {
  if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c + 32);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<char16_t>(c + 32);
  return c;
}

bool IsSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

// "X:" or "\\server\share" of a folder, empty when it has neither.
std::u16string_view RootOf(std::u16string_view dir) {
  if (dir.size() >= 2 && dir[1] == u':') return dir.substr(0, 2);
  if (dir.size() >= 2 && IsSeparator(dir[0]) && IsSeparator(dir[1])) {
    size_t server = dir.find_first_of(u"\\/", 2);
    if (server == std::u16string_view::npos) return dir;
    size_t share = dir.find_first_of(u"\\/", server + 1);
    return share == std::u16string_view::npos ? dir : dir.substr(0, share);
  }
  return {};
}

}  // namespace

PlaylistKind PlaylistKindFromPath(std::u16string_view path) {
  size_t dot = path.rfind(u'.');
  if (dot == std::u16string_view::npos) return PlaylistKind::None;
  std::u16string ext;
  for (char16_t c : path.substr(dot + 1)) ext += FoldPathCase(c);
  if (ext == u"m3u" || ext == u"ram") return PlaylistKind::LineList;
  if (ext == u"zvp") return PlaylistKind::Own;
  if (ext == u"pls") return PlaylistKind::Pls;
  if (ext == u"asx") return PlaylistKind::Asx;
  return PlaylistKind::None;
}

bool IsUrlPath(std::u16string_view path) { return path.find(u"://") != std::u16string_view::npos; }

std::u16string PlaylistDirectory(std::u16string_view playlistPath) {
  size_t slash = playlistPath.rfind(u'\\');
  if (slash == std::u16string_view::npos) return {};
  return std::u16string(playlistPath.substr(0, slash + 1));
}

std::u16string ResolveEntryPath(std::u16string entry, std::u16string_view playlistPath) {
  if (entry.find(u':') != std::u16string::npos) return entry;
  if (entry.size() >= 2 && IsSeparator(entry[0]) && IsSeparator(entry[1])) return entry;
  std::u16string dir = PlaylistDirectory(playlistPath);
  if (!entry.empty() && IsSeparator(entry[0])) return std::u16string(RootOf(dir)) + entry;
  return dir + entry;
}

std::u16string StoredEntryPath(std::u16string_view path, std::u16string_view playlistPath) {
  std::u16string dir = PlaylistDirectory(playlistPath);
  // A path equal to the folder itself would be stored as nothing and lost.
  if (dir.empty() || path.size() <= dir.size()) return std::u16string(path);
  for (size_t i = 0; i < dir.size(); ++i)
    if (FoldPathCase(path[i]) != FoldPathCase(dir[i])) return std::u16string(path);
  std::u16string_view rest = path.substr(dir.size());
  // Stored relative only when loading resolves it back to the same path.
  if (IsSeparator(rest[0]) || rest.find(u':') != std::u16string_view::npos) return std::u16string(path);
  return std::u16string(rest);
}

}  // namespace zv
