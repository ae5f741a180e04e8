#pragma once
// English names of languages for stream menus: containers tag their tracks
// with ISO 639 codes ("eng", "ger", "de") or language tags ("pt-BR"), and the
// menus show "English", "German", "Portuguese".
#include <string>
#include <string_view>

namespace zv {

// The English name of a two- or three-letter ISO 639 code (bibliographic or
// terminology form), without regard to case; a language tag is looked up by
// its primary subtag. Empty for unknown codes and for "und", "mul", "zxx".
std::u16string EnglishLanguageName(std::string_view tag);

// The ISO 639-1 code of a language tag's language ("ger" -> "de"); empty
// when the language has none or is unknown.
std::string TwoLetterLanguageCode(std::string_view tag);

// True when the text is a code EnglishLanguageName knows.
bool IsLanguageCode(std::string_view text);

// What a stream is called in the menus: the language's English name, with
// the track's own title in brackets when it says more than the language;
// without a known language the title; without either the fallback (for
// instance the splitter's pin name).
std::u16string StreamDisplayName(std::string_view language, const std::u16string& title,
                                 const std::u16string& fallback);

}  // namespace zv
