#include "playlist/PlaylistWriter.h"

#include "playlist/PlaylistPaths.h"
#include "playlist/PlaylistText.h"
#include "playlist/XmlDocument.h"

namespace zv {

std::u16string BuildTextFromProductVersion(std::u16string_view productVersion) {
  std::u16string out;
  for (char16_t c : productVersion) {
    if (c == u' ') continue;
    out += c == u',' ? u'.' : c;
  }
  return out;
}

std::u16string OwnPlaylistText(const std::vector<std::u16string>& paths, int lastPosition,
                               std::u16string_view buildText, std::u16string_view playlistPath) {
  XmlDocument doc;
  doc.AddElement(u"zentravue");
  doc.SetAttribute(u"build", buildText);
  doc.AddChildElement(u"playlist");
  std::u16string position;
  for (char c : std::to_string(lastPosition)) position += static_cast<char16_t>(c);
  doc.SetChildAttribute(u"lastPosition", position);
  doc.IntoElement();
  for (const std::u16string& path : paths) doc.AddChildElement(u"media", StoredEntryPath(path, playlistPath));
  return doc.Document();
}

std::vector<uint8_t> OwnPlaylistBytes(const std::vector<std::u16string>& paths, int lastPosition,
                                      std::u16string_view buildText, std::u16string_view playlistPath) {
  return EncodeUtf16LeWithMark(OwnPlaylistText(paths, lastPosition, buildText, playlistPath));
}

}  // namespace zv
