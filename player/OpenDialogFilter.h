#pragma once
// The filter texts of the player's file dialogs, built from the known file
// types, and the trace names of the dialogs' extended errors. Filters use
// "|" between description and pattern as the dialog code expects; the
// caller turns them into the system's double-zero form.
#include <cstdint>
#include <string>

namespace zv {

class FileTypeList;

// Descriptions of the Open dialog's filters, from the active language.
struct OpenDialogTexts {
  std::u16string mediaFiles;  // MEDIAFILES
  std::u16string videoFiles;  // VIDEOFILE
  std::u16string audioFiles;  // AUDIOFILE
  std::u16string playlists;   // PLAYLIST
  std::u16string allFiles;    // ALLFILES
};

// Media files (every type), video, audio, playlists, then all files:
// "Media|*.avi;*.mp3;|Video|*.avi;|...|All (*.*)|*.*||".
std::u16string BuildOpenDialogFilter(const FileTypeList& types, const OpenDialogTexts& texts);
// The audio-track dialog: the audio types, then all files.
std::u16string BuildAudioTrackFilter(const FileTypeList& types, const std::u16string& audioFiles,
                                     const std::u16string& allFiles);
// The filter of the save-a-copy dialog: all files only.
std::u16string BuildAllFilesFilter(const std::u16string& allFiles);

// The name a dialog error code is traced with ("CDERR_STRUCTSIZE" ...);
// for a buffer that was too small, needed and available are part of it.
// Unknown codes (cancel gives 0) become "UNKNOWN ERROR CODE:<code>".
std::u16string CommonDialogErrorName(uint32_t code, uint32_t bytesNeeded = 0, uint32_t bytesAvailable = 0);

}  // namespace zv
