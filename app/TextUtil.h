#pragma once
#include <cstdint>
#include <optional>
#include <string>

// Small text helpers shared by the command line, the settings and the
// language files. They reproduce the lenient number reading and white-space
// rules of the Windows C runtime, so that portable code reads values exactly
// as the platform's own functions would.
namespace zv {

// White space as the platform's wide character classification defines it
// (tab to carriage return, blank, and the Unicode space characters).
bool IsSpace(char16_t c);

// The text without white space at either end.
std::u16string Trim(const std::u16string& text);

// Lower case for A to Z only; every other character stays, so the length
// and the positions of the text do not change.
std::u16string AsciiLower(std::u16string text);

// Simple case folding (ASCII, Latin-1, Greek, Cyrillic) for comparisons without regard
// to case.
char16_t FoldCase(char16_t c);
std::u16string FoldCase(std::u16string text);
bool EqualsNoCase(const std::u16string& a, const std::u16string& b);

// A whole number as the runtime's lenient reader takes it: leading white
// space, an optional sign, decimal digits as far as they go. No digits give 0;
// numbers beyond the 32-bit range saturate.
int32_t ReadInt(const std::u16string& text);

// A decimal number with an optional fraction ("0.5"), after leading white
// space and an optional sign; reading stops at the first character that does
// not fit. Empty when no digit was read.
std::optional<double> ReadDecimal(const std::u16string& text);

// Truncation toward zero that saturates at the 32-bit range; NaN gives 0.
int32_t TruncateToInt(double value);

// Narrow ASCII text to UTF-16 (for literals and tables).
std::u16string Widen(const char* ascii);

}  // namespace zv
