#include "player/MediaFileNames.h"

#include "app/FileAssocs.h"

namespace zv {

namespace {

char16_t LowerAscii(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; }

size_t NamePartStart(const std::u16string& path) {
  const size_t separator = path.find_last_of(u"\\/");
  return separator == std::u16string::npos ? 0 : separator + 1;
}

}  // namespace

bool EqualsIgnoringAsciiCase(const std::u16string& a, const std::u16string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  return true;
}

std::vector<std::u16string> SameNameAudioCandidates(const std::u16string& videoName) {
  const size_t dot = videoName.find_last_of(u'.');
  const bool dotInNamePart = dot != std::u16string::npos && dot >= NamePartStart(videoName);
  const std::u16string base = dotInNamePart ? videoName.substr(0, dot) : videoName;
  std::vector<std::u16string> candidates;
  for (const char16_t* extension : {u".wav", u".wma", u".mp3", u".ac3", u".mp2"})
    candidates.push_back(base + extension);
  return candidates;
}

std::u16string ExtensionOf(const std::u16string& fileName) {
  const size_t dot = fileName.find_last_of(u'.');
  if (dot == std::u16string::npos || dot < NamePartStart(fileName)) return {};
  return fileName.substr(dot + 1);
}

bool HasMediaExtension(const FileTypeList& types, const std::u16string& fileName) {
  const std::u16string extension = ExtensionOf(fileName);
  if (extension.empty()) return false;
  for (const CFileAssocs* node = types.Head(); node; node = node->Next) {
    if ((node->Flags & (CFileAssocs::kVideo | CFileAssocs::kAudio)) == 0) continue;
    if (EqualsIgnoringAsciiCase(node->Extension, extension)) return true;
  }
  return false;
}

std::optional<size_t> NeighbourInListing(const std::vector<std::u16string>& listing,
                                         const std::u16string& currentName, int direction,
                                         const std::function<bool(const std::u16string&)>& accept) {
  const size_t count = listing.size();
  size_t current = count;
  for (size_t i = 0; i < count; ++i) {
    if (EqualsIgnoringAsciiCase(listing[i], currentName)) {
      current = i;
      break;
    }
  }
  if (current == count) return std::nullopt;
  size_t index = current;
  for (;;) {
    index = direction > 0 ? (index + 1) % count : (index + count - 1) % count;
    if (index == current) return std::nullopt;
    if (accept(listing[index])) return index;
  }
}

}  // namespace zv
