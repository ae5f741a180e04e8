#pragma once
// Conversions at the edges: Windows text is std::wstring (UTF-16), the
// portable core speaks std::u16string, files and the network speak bytes.
#include <string>
#include <string_view>

namespace fw {

std::wstring ToWide(std::u16string_view text);
std::u16string ToU16(std::wstring_view text);
std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view text);

// printf-style formatting into a std::wstring (no fixed-size buffers).
std::wstring Format(const wchar_t* format, ...);

// Case-insensitive comparison as the user interface sees it.
bool EqualsNoCase(std::wstring_view a, std::wstring_view b);
bool StartsWith(std::wstring_view text, std::wstring_view prefix);

}  // namespace fw
