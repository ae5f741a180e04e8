#pragma once
// The Windows side of the playlist's file access: files on disk, addresses
// through WinINet, and saves that never leave a half-written playlist.
#include "framework/Handle.h"
#include "playlist/PlaylistFileAccess.h"
#include "playlist/PlaylistHttp.h"

class CPlaylistFiles : public zv::PlaylistFileAccess {
 public:
  explicit CPlaylistFiles(const PlaylistHttpLimits& limits = PlaylistHttpLimits());

  bool ReadFile(const std::u16string& path, std::vector<uint8_t>& bytes) override;
  bool FetchUrl(const std::u16string& url, std::vector<uint8_t>& bytes) override;
  bool WriteFile(const std::u16string& path, const std::vector<uint8_t>& bytes) override;

  // Ends a fetch in progress at once (FetchUrl returns false). May be called
  // from any thread, or from a message the fetch's wait dispatches.
  void CancelFetch();

 private:
  PlaylistHttpLimits limits_;
  fw::KernelHandle cancel_;
};
