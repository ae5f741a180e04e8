#pragma once
// The Windows side of the playlist's file access: files on disk, addresses
// through WinINet, and saves that never leave a half-written playlist.
#include "playlist/PlaylistFileAccess.h"
#include "playlist/PlaylistHttp.h"

class CPlaylistFiles : public zv::PlaylistFileAccess {
 public:
  explicit CPlaylistFiles(const PlaylistHttpLimits& limits = PlaylistHttpLimits()) : limits_(limits) {}

  bool ReadFile(const std::u16string& path, std::vector<uint8_t>& bytes) override;
  bool FetchUrl(const std::u16string& url, std::vector<uint8_t>& bytes) override;
  bool WriteFile(const std::u16string& path, const std::vector<uint8_t>& bytes) override;

 private:
  PlaylistHttpLimits limits_;
};
