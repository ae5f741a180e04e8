#include "media/MediaErrorText.h"

#include <initializer_list>

namespace zv {
namespace {

// Result codes of the media framework and the system (values of the
// platform headers; the Windows build checks them in OpeningError.cpp).
constexpr MediaErrorText kTable[] = {
    {0x80040218u, u"MEDIAERROR_CANNOT_RENDER", u"No decoder on this computer can play the file's format."},
    {0x80040255u, u"MEDIAERROR_CANNOT_RENDER", u"No decoder on this computer can play the file's format."},
    {0x80040265u, u"MEDIAERROR_UNSUPPORTED", u"The file's format is not supported."},
    {0x80040240u, u"MEDIAERROR_UNSUPPORTED", u"The file's format is not supported."},
    {0x80040241u, u"MEDIAERROR_UNSUPPORTED", u"The file's format is not supported."},
    {0x8004022Fu, u"MEDIAERROR_DAMAGED", u"The file is damaged or incomplete."},
    {0x80040216u, u"MEDIAERROR_FILE_NOT_FOUND", u"The file was not found."},
    {0x80070002u, u"MEDIAERROR_FILE_NOT_FOUND", u"The file was not found."},
    {0x80070003u, u"MEDIAERROR_FILE_NOT_FOUND", u"The file was not found."},
    {0x8004022Eu, u"MEDIAERROR_TIMEOUT", u"Opening the file took too long and was given up."},
    {0x800705B4u, u"MEDIAERROR_TIMEOUT", u"Opening the file took too long and was given up."},
    {0x80040256u, u"MEDIAERROR_NO_AUDIO_DEVICE", u"No audio device is available."},
    {0x80070005u, u"MEDIAERROR_ACCESS_DENIED", u"Access to the file was denied."},
    {0x80070020u, u"MEDIAERROR_IN_USE", u"The file is in use by another program."},
    {0x8007000Eu, u"MEDIAERROR_OUT_OF_MEMORY", u"There is not enough memory."},
};

bool IsHexDigit(char16_t c) { return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F'); }

// System messages end in a line break.
std::u16string TrimEnd(std::u16string text) {
  while (!text.empty() && (text.back() == u' ' || text.back() == u'\r' || text.back() == u'\n')) text.pop_back();
  return text;
}

char16_t Upper(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c; }

}  // namespace

const MediaErrorText* FindMediaErrorText(uint32_t code) {
  for (const MediaErrorText& entry : kTable)
    if (entry.code == code) return &entry;
  return nullptr;
}

std::u16string HexResultCode(uint32_t code) {
  static const char16_t digits[] = u"0123456789ABCDEF";
  std::u16string text = u"0x";
  for (int shift = 28; shift >= 0; shift -= 4) text += digits[(code >> shift) & 0xF];
  return text;
}

bool IsBareResultText(const std::u16string& text, uint32_t code) {
  // Upper case, with the word "ERROR" and every "0X" turned into a blank.
  std::u16string upper;
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t c = Upper(text[i]);
    if (c == u'0' && i + 1 < text.size() && Upper(text[i + 1]) == u'X') {
      upper += u' ';
      ++i;
      continue;
    }
    if (c == u'E' && i + 4 < text.size() && Upper(text[i + 1]) == u'R' && Upper(text[i + 2]) == u'R' &&
        Upper(text[i + 3]) == u'O' && Upper(text[i + 4]) == u'R') {
      upper += u' ';
      i += 4;
      continue;
    }
    upper += c;
  }
  // What is left: at most one run of hexadecimal digits among separators.
  std::u16string number;
  bool runEnded = false;
  for (char16_t c : upper) {
    if (IsHexDigit(c)) {
      if (runEnded) return false;
      number += c;
      continue;
    }
    if (c != u' ' && c != u':' && c != u'.' && c != u'-' && c != u'\t' && c != u'\r' && c != u'\n' &&
        c != u'(' && c != u')')
      return false;
    if (!number.empty()) runEnded = true;
  }
  if (number.empty()) return true;
  std::u16string expected = HexResultCode(code).substr(2);
  for (std::u16string* digits : {&number, &expected}) {
    while (digits->size() > 1 && digits->front() == u'0') digits->erase(digits->begin());
  }
  return number == expected;
}

std::u16string MediaErrorReason(uint32_t code, const std::function<std::u16string(const std::u16string&)>& lookup,
                                const std::u16string& platformText, const std::u16string& systemText) {
  if (!IsBareResultText(platformText, code)) return TrimEnd(platformText);
  if (const MediaErrorText* entry = FindMediaErrorText(code)) {
    std::u16string text = lookup ? lookup(entry->key) : std::u16string();
    return text.empty() ? std::u16string(entry->english) : text;
  }
  if (!IsBareResultText(systemText, code)) return TrimEnd(systemText);
  return HexResultCode(code);
}

}  // namespace zv
