#pragma once
#include <string>

namespace zv {

// The built-in language a command-line keyword selects ("deutsch" gives
// "IDR_LNG_GERMAN"). Keywords are exact and case-sensitive; an unknown one
// gives an empty text.
std::u16string LanguageResourceOfKeyword(const std::u16string& keyword);

}  // namespace zv
