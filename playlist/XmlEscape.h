#pragma once
#include <string>
#include <string_view>

namespace zv {

// Options of EscapeMarkup.
enum XmlEscapeFlags : unsigned {
  kXmlEscapeText = 0,            // "&", "<", ">"
  kXmlEscapeAttribute = 1,       // additionally the double quote and the apostrophe
  kXmlEscapeKeepReferences = 2,  // leave "&" alone when it starts a well-formed reference
};

// Text made safe for element content or an attribute value.
std::u16string EscapeMarkup(std::u16string_view text, unsigned flags = kXmlEscapeText);

// Text wrapped as a CDATA section; every "]]>" inside is split across two
// sections so that the section cannot end early.
std::u16string WrapInCData(std::u16string_view text);

// Resolves the five predefined entities and character references. With
// htmlEntities also the named character entities of HTML. A reference that
// names no valid character (zero, a surrogate, above U+10FFFF, unknown name)
// is kept literally, so no text is lost and no NUL enters the result.
std::u16string UnescapeMarkup(std::u16string_view text, bool htmlEntities = false);

// The character of an HTML named entity ("oslash" -> U+00F8); 0 when unknown.
char16_t HtmlEntityCharacter(std::u16string_view name);

}  // namespace zv
