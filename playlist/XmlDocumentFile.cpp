// XmlDocument: reading and writing whole files, with the conversion between
// the file's encoding and the document's text.
#include "playlist/XmlDocument.h"

namespace zv {

bool XmlDocument::ReadFile(const std::u16string& path, XmlFileSystem& files) {
  log_.Clear();
  std::vector<uint8_t> bytes;
  std::u16string error;
  // Larger files are refused before they are read, which bounds the memory a
  // document can take.
  constexpr size_t kMaxBytes = kMaxLength;
  switch (files.Read(path, kMaxBytes, bytes, error)) {
    case XmlFileSystem::ReadResult::Ok:
      break;
    case XmlFileSystem::ReadResult::TooLarge:
      Empty();
      log_.Add(u"truncation_error", {{u"type", u"read"}, {u"length", static_cast<int64_t>(kMaxBytes)}});
      return false;
    case XmlFileSystem::ReadResult::Failed:
      Empty();
      log_.Add(u"file_error", {{u"type", u"read"}, {u"msg", error}});
      return false;
  }
  XmlFileEncoding encoding = XmlFileEncoding::Utf8;
  XmlResultLog conversion;
  std::u16string text = DecodeXmlFileBytes(bytes, files.AnsiCodePage(), conversion, &encoding);
  log_.Add(u"read", {{u"encoding", XmlEncodingLabel(encoding, files.AnsiCodePage())},
                     {u"length", static_cast<int64_t>(bytes.size())}});
  log_.Append(conversion);
  bytes = {};
  ParseText(text);
  return true;
}

// No document: the file could not be read. Only the reason is logged.
void XmlDocument::Empty() {
  ParseText(u"");
  log_.Clear();
}

bool XmlDocument::WriteFile(const std::u16string& path, XmlFileSystem& files, std::u16string_view encoding) {
  log_.Clear();
  const XmlFileEncoding target = XmlEncodingFromName(encoding.empty() ? EncodingName() : std::u16string(encoding));
  XmlResultLog conversion;
  const std::vector<uint8_t> bytes = EncodeXmlFileText(text_, target, files.AnsiCodePage(), conversion);
  std::u16string error;
  if (!files.Write(path, bytes, error)) {
    log_.Add(u"file_error", {{u"type", u"write"}, {u"msg", error}});
    return false;
  }
  log_.Add(u"write", {{u"encoding", XmlEncodingLabel(target, files.AnsiCodePage())},
                      {u"length", static_cast<int64_t>(bytes.size())}});
  log_.Append(conversion);
  return true;
}

}  // namespace zv
