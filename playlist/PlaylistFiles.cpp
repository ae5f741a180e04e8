#include "playlist/PlaylistFiles.h"

#include "framework/WideString.h"
#include "playlist/PlaylistFileIo.h"

bool CPlaylistFiles::ReadFile(const std::u16string& path, std::vector<uint8_t>& bytes) {
  return ReadWholeFile(fw::ToWide(path), bytes, limits_.maxBytes);
}

bool CPlaylistFiles::FetchUrl(const std::u16string& url, std::vector<uint8_t>& bytes) {
  return FetchPlaylistAddress(fw::ToWide(url), limits_, bytes);
}

bool CPlaylistFiles::WriteFile(const std::u16string& path, const std::vector<uint8_t>& bytes) {
  return ReplaceFileContent(fw::ToWide(path), bytes);
}
