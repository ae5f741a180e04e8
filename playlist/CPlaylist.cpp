#include "playlist/CPlaylist.h"

#include "playlist/ProgramBuildText.h"

CPlaylist::CPlaylist(const PlaylistHttpLimits& limits)
    : detail::PlaylistFilesHolder(limits), zv::Playlist(&files) {
  SetBuildText(ProgramBuildText());
}
