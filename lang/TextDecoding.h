#pragma once
#include <string>
#include <string_view>

namespace zv {

// Decodes the bytes of a language file or resource into UTF-16:
// FF FE little-endian UTF-16, FE FF big-endian UTF-16, EF BB BF or no mark
// UTF-8. Stray bytes in UTF-8 text (bytes that start nothing, and the bytes
// of a sequence that another byte interrupts) are taken as Latin-1
// characters; a complete but invalid sequence becomes U+FFFD. An odd last
// byte of UTF-16 text is dropped.
std::u16string DecodeLanguageText(std::string_view bytes);

// Latin-1 widening, one character per byte (the resource header text).
std::u16string WidenBytes(std::string_view bytes);

}  // namespace zv
