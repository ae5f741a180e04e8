#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "playlist/XmlDocument.h"

// Reads arbitrary bytes as a document file, then writes the text in every
// encoding and reads it back: what the encoding can hold must come back
// unchanged.
namespace {

class OneFile : public zv::XmlFileSystem {
 public:
  std::vector<uint8_t> bytes;
  ReadResult Read(const std::u16string&, size_t maxBytes, std::vector<uint8_t>& out, std::u16string&) override {
    if (bytes.size() > maxBytes) return ReadResult::TooLarge;
    out = bytes;
    return ReadResult::Ok;
  }
  bool Write(const std::u16string&, const std::vector<uint8_t>& in, std::u16string&) override {
    bytes = in;
    return true;
  }
  const zv::XmlCodePage& AnsiCodePage() const override { return zv::Windows1252CodePage(); }
};

// The text as an encoding of code points gives it back: lone surrogates
// become U+FFFD.
std::u16string WithoutLoneSurrogates(const std::u16string& text) {
  std::u16string out;
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      out += c;
      out += text[++i];
    } else {
      out += (c >= 0xD800 && c <= 0xDFFF) ? char16_t(0xFFFD) : c;
    }
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  OneFile file;
  file.bytes.assign(data, data + size);
  zv::XmlDocument doc;
  if (!doc.ReadFile(u"in", file)) abort();
  const std::u16string text = doc.Document();
  for (char16_t c : text)
    if (c == 0) abort();  // NULs never reach the document
  if (doc.ResultLog().size() > zv::XmlResultLog::kLimit) abort();

  for (const char16_t* encoding : {u"UTF-8", u"UTF-16", u"UTF-16BE", u"UTF-32", u"UTF-32BE", u"windows-1252"}) {
    if (!doc.WriteFile(u"out", file, encoding)) abort();
    zv::XmlDocument back;
    if (!back.ReadFile(u"out", file)) abort();
    const std::u16string& again = back.Document();
    const std::u16string name = encoding;
    if (name == u"UTF-16" || name == u"UTF-16BE") {
      if (again != text) abort();
    } else if (name != u"windows-1252") {
      std::u16string expected = WithoutLoneSurrogates(text);
      // UTF-8 is written without a mark: a leading U+FEFF reads as one.
      if (name == u"UTF-8" && !expected.empty() && expected[0] == 0xFEFF) expected.erase(0, 1);
      if (again != expected) abort();
    }
  }
  return 0;
}
