#pragma once
// The built-in language that suits the user's locale, for the language
// page's first start.
#include <cstdint>
#include <string>

namespace zv {

// The resource name of the built-in language for a Windows language
// identifier (primary language in the low ten bits, sub-language above);
// "IDR_LNG_ENGLISH" for a language without a built-in translation.
std::u16string BuiltInLanguageForLocale(uint16_t languageId);

}  // namespace zv
