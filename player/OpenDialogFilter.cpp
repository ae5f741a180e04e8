#include "player/OpenDialogFilter.h"

#include "app/FileAssocs.h"

namespace zv {

namespace {

std::u16string Number(uint32_t value) {
  std::u16string digits;
  do {
    digits.insert(digits.begin(), static_cast<char16_t>(u'0' + value % 10));
    value /= 10;
  } while (value != 0);
  return digits;
}

std::u16string PatternsOf(const FileTypeList& types, int flag) {
  std::u16string patterns;
  for (const CFileAssocs* node = types.Head(); node; node = node->Next) {
    if (flag != 0 && (node->Flags & flag) == 0) continue;
    patterns += u"*." + node->Extension + u";";
  }
  return patterns;
}

}  // namespace

std::u16string BuildAllFilesFilter(const std::u16string& allFiles) { return allFiles + u" (*.*)|*.*||"; }

std::u16string BuildOpenDialogFilter(const FileTypeList& types, const OpenDialogTexts& texts) {
  std::u16string filter;
  filter += texts.mediaFiles + u"|" + PatternsOf(types, 0) + u"|";
  filter += texts.videoFiles + u"|" + PatternsOf(types, CFileAssocs::kVideo) + u"|";
  filter += texts.audioFiles + u"|" + PatternsOf(types, CFileAssocs::kAudio) + u"|";
  filter += texts.playlists + u"|" + PatternsOf(types, CFileAssocs::kPlaylist) + u"|";
  return filter + BuildAllFilesFilter(texts.allFiles);
}

std::u16string BuildAudioTrackFilter(const FileTypeList& types, const std::u16string& audioFiles,
                                     const std::u16string& allFiles) {
  return audioFiles + u"|" + PatternsOf(types, CFileAssocs::kAudio) + u"|" + BuildAllFilesFilter(allFiles);
}

std::u16string CommonDialogErrorName(uint32_t code, uint32_t bytesNeeded, uint32_t bytesAvailable) {
  switch (code) {
    case 1: return u"CDERR_STRUCTSIZE";
    case 2: return u"CDERR_INITIALIZATION";
    case 3: return u"CDERR_NOTEMPLATE";
    case 4: return u"CDERR_NOHINSTANCE";
    case 5: return u"CDERR_LOADSTRFAILURE";
    case 6: return u"CDERR_FINDRESFAILURE";
    case 7: return u"CDERR_LOADRESFAILURE";
    case 8: return u"CDERR_LOCKRESFAILURE";
    case 9: return u"CDERR_MEMALLOCFAILURE";
    case 10: return u"CDERR_MEMLOCKFAILURE";
    case 11: return u"CDERR_NOHOOK";
    case 12: return u"CDERR_REGISTERMSGFAIL";
    case 12289: return u"FNERR_SUBCLASSFAILURE";
    case 12290: return u"FNERR_INVALIDFILENAME";
    case 12291:
      return u"FNERR_BUFFERTOOSMALL:" + Number(bytesNeeded) + u" Bytes needed, " + Number(bytesAvailable) +
             u" Bytes available";
    case 65535: return u"CDERR_DIALOGFAILURE";
    default: return u"UNKNOWN ERROR CODE:" + Number(code);
  }
}

}  // namespace zv
