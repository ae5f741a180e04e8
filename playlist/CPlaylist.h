#pragma once
// The player window's playlist: the portable model with the real files, the
// network and the program's build text behind it.
#include "playlist/Playlist.h"
#include "playlist/PlaylistFiles.h"

namespace detail {
// Holds the file access so that it is built before the model and outlives
// the model's destructor, which writes the list back through it.
struct PlaylistFilesHolder {
  explicit PlaylistFilesHolder(const PlaylistHttpLimits& limits) : files(limits) {}
  CPlaylistFiles files;
};
}  // namespace detail

class CPlaylist : private detail::PlaylistFilesHolder, public zv::Playlist {
 public:
  explicit CPlaylist(const PlaylistHttpLimits& limits = PlaylistHttpLimits());
  // Ends a Load by address in progress (CPlaylistFiles::CancelFetch).
  void CancelFetch() { files.CancelFetch(); }
};
