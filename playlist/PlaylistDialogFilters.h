#pragma once
// The filters of the playlist window's file dialogs, in the "|"-separated
// form the dialog code expects. Pattern lists come from the known file
// types: "*." + extension for each type of the category, joined by ";".
#include <string>

namespace zv {

class FileTypeList;

struct PlaylistDialogTexts {
  std::u16string mediaFiles;  // MEDIAFILES
  std::u16string videoFiles;  // VIDEOFILE
  std::u16string audioFiles;  // AUDIOFILE
  std::u16string playlists;   // PLAYLIST
  std::u16string allFiles;    // ALLFILES
};

// Adding files: every media type, video, audio, then all files.
std::u16string PlaylistAddFilter(const FileTypeList& types, const PlaylistDialogTexts& texts);
// Opening a playlist: the playlist types, then all files.
std::u16string PlaylistOpenFilter(const FileTypeList& types, const PlaylistDialogTexts& texts);
// Saving: the program's own format, then all files.
std::u16string PlaylistSaveFilter(const PlaylistDialogTexts& texts);

}  // namespace zv
