#pragma once
// Texts for the reasons the media framework gives when a medium cannot be
// opened. The platform's own text comes first; where it has none (or only
// repeats the code, as some platforms do), a short table of our own names
// the common failures in the active language; then the system's text; and
// last the code in hexadecimal.
#include <cstdint>
#include <functional>
#include <string>

namespace zv {

struct MediaErrorText {
  uint32_t code;            // the result code (HRESULT bits)
  const char16_t* key;      // key of the language's "Code" section
  const char16_t* english;  // used when the language has no text for the key
};

// The table's entry for a code; null when the table has none.
const MediaErrorText* FindMediaErrorText(uint32_t code);

// "0x80040218": eight upper-case hexadecimal digits.
std::u16string HexResultCode(uint32_t code);

// True when a text says nothing but the code: empty, or made only of the
// code's digits (with or without "0x", leading zeros or case) and filler
// such as "Error:" ("Error: 0x80040218", "0x80040218.", "Error 80040218").
bool IsBareResultText(const std::u16string& text, uint32_t code);

// The reason to show for a code. lookup returns the language's text for a
// key (empty when it has none); platformText and systemText are what the
// media framework and the system said (may be empty).
std::u16string MediaErrorReason(uint32_t code, const std::function<std::u16string(const std::u16string&)>& lookup,
                                const std::u16string& platformText, const std::u16string& systemText);

}  // namespace zv
