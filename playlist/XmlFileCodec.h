#pragma once
// The bytes of a document file and its text: detection of the encoding on
// reading, conversion on writing, and the events both leave in the result log.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "playlist/XmlResultLog.h"

namespace zv {

enum class XmlFileEncoding { Utf8, Utf16Le, Utf16Be, Utf32Le, Utf32Be, Ansi };

// The system's ANSI code page. Characters that have no place in it are lost
// in both directions; `lost` counts them.
class XmlCodePage {
 public:
  virtual ~XmlCodePage() = default;
  // The name written to the log, such as "windows-1252".
  virtual std::u16string Name() const = 0;
  // Bytes without a character become U+FFFD.
  virtual std::u16string Decode(std::string_view bytes, size_t& lost) const = 0;
  // Characters without a byte become "?".
  virtual std::string Encode(std::u16string_view text, size_t& lost) const = 0;
};

// Windows-1252, the ANSI code page of western systems; the stand-in where the
// system's own is not at hand (portable builds, tests).
const XmlCodePage& Windows1252CodePage();

// The log name of an encoding: "UTF-8", "UTF-16LE", "UTF-16BE", "UTF-32LE",
// "UTF-32BE", or the code page's name.
std::u16string XmlEncodingLabel(XmlFileEncoding encoding, const XmlCodePage& ansi);

// The encoding a document names ("UTF-8", "UTF-16", "UTF-16BE", "UCS-2",
// "UTF-32", "UTF-32BE", "UCS-4"...; case and "-"/"_" do not matter). Other
// names, the single-byte and national code pages, mean the ANSI code page.
XmlFileEncoding XmlEncodingFromName(std::u16string_view name);

// The text of a file's bytes. A byte-order mark decides the encoding; without
// one, UTF-32 and UTF-16 are recognised by the zero bytes around a leading
// "<", and other bytes are UTF-8 when they are valid UTF-8 (logged as
// "utf8_detection"), else text in the ANSI code page. Big-endian units are
// swapped ("endian_swap"), anything but UTF-16LE is converted
// ("converted_from"), undecodable units become U+FFFD ("conversion_loss"),
// and NUL characters are removed ("nulls_removed"), since they would end the
// text for every other reader of it.
std::u16string DecodeXmlFileBytes(const std::vector<uint8_t>& bytes, const XmlCodePage& ansi, XmlResultLog& log,
                                  XmlFileEncoding* found = nullptr);

// The bytes of a file holding the text in the encoding: UTF-8 without a
// byte-order mark, UTF-16 and UTF-32 with one, or the ANSI code page.
// Conversion ("converted_to"), byte swapping ("endian_swap") and characters
// that could not be written ("conversion_loss": lone surrogates, characters
// outside the code page) are logged.
std::vector<uint8_t> EncodeXmlFileText(std::u16string_view text, XmlFileEncoding encoding, const XmlCodePage& ansi,
                                       XmlResultLog& log);

// Platform access for reading and writing document files.
class XmlFileSystem {
 public:
  virtual ~XmlFileSystem() = default;
  enum class ReadResult { Ok, Failed, TooLarge };
  // The whole file, when it holds at most maxBytes; on failure `error` is the
  // system's message text.
  virtual ReadResult Read(const std::u16string& path, size_t maxBytes, std::vector<uint8_t>& bytes,
                          std::u16string& error) = 0;
  // Creates or replaces the file with exactly these bytes.
  virtual bool Write(const std::u16string& path, const std::vector<uint8_t>& bytes, std::u16string& error) = 0;
  virtual const XmlCodePage& AnsiCodePage() const = 0;
};

}  // namespace zv
