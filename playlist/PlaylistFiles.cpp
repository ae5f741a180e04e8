#include "playlist/PlaylistFiles.h"

#include "framework/WideString.h"
#include "playlist/PlaylistFileIo.h"

namespace {

// Local files are read at disk speed; the limit only keeps a file that is no
// playlist (a renamed video) from filling the memory.
constexpr size_t kMaxPlaylistFileBytes = 64u << 20;

}  // namespace

CPlaylistFiles::CPlaylistFiles(const PlaylistHttpLimits& limits)
    : limits_(limits), cancel_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

bool CPlaylistFiles::ReadFile(const std::u16string& path, std::vector<uint8_t>& bytes) {
  return ReadWholeFile(fw::ToWide(path), bytes, kMaxPlaylistFileBytes);
}

bool CPlaylistFiles::FetchUrl(const std::u16string& url, std::vector<uint8_t>& bytes) {
  if (cancel_) ResetEvent(cancel_.get());
  return FetchPlaylistAddress(fw::ToWide(url), limits_, bytes, cancel_.get());
}

bool CPlaylistFiles::WriteFile(const std::u16string& path, const std::vector<uint8_t>& bytes) {
  return ReplaceFileContent(fw::ToWide(path), bytes);
}

void CPlaylistFiles::CancelFetch() {
  if (cancel_) SetEvent(cancel_.get());
}
