#include "playlist/PlaylistDialogFilters.h"

#include "app/FileAssocs.h"

namespace zv {

namespace {

// flag 0: every type.
std::u16string Patterns(const FileTypeList& types, int flag) {
  std::u16string patterns;
  for (const CFileAssocs* node = types.Head(); node; node = node->Next) {
    if (flag != 0 && (node->Flags & flag) == 0) continue;
    if (!patterns.empty()) patterns += u';';
    patterns += u"*." + node->Extension;
  }
  return patterns;
}

std::u16string AllFiles(const PlaylistDialogTexts& texts) { return texts.allFiles + u" (*.*)|*.*||"; }

}  // namespace

std::u16string PlaylistAddFilter(const FileTypeList& types, const PlaylistDialogTexts& texts) {
  return texts.mediaFiles + u"|" + Patterns(types, 0) + u"|" + texts.videoFiles + u"|" +
         Patterns(types, CFileAssocs::kVideo) + u"|" + texts.audioFiles + u"|" + Patterns(types, CFileAssocs::kAudio) +
         u"|" + AllFiles(texts);
}

std::u16string PlaylistOpenFilter(const FileTypeList& types, const PlaylistDialogTexts& texts) {
  return texts.playlists + u"|" + Patterns(types, CFileAssocs::kPlaylist) + u"|" + AllFiles(texts);
}

std::u16string PlaylistSaveFilter(const PlaylistDialogTexts& texts) {
  return texts.playlists + u" (*.zvp)|*.zvp|" + AllFiles(texts);
}

}  // namespace zv
