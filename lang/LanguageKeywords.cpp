#include "lang/LanguageKeywords.h"

namespace zv {

namespace {

struct KeywordEntry {
  const char16_t* keyword;
  const char16_t* resourceName;
};

constexpr KeywordEntry kKeywords[] = {
    {u"deutsch", u"IDR_LNG_GERMAN"},       {u"english", u"IDR_LNG_ENGLISH"},
    {u"francais", u"IDR_LNG_FRANCAIS"},    {u"espanol", u"IDR_LNG_ESPANOL"},
    {u"galego", u"IDR_LNG_GALEGO"},        {u"italiano", u"IDR_LNG_ITALIANO"},
    {u"magyar", u"IDR_LNG_MAGYAR"},        {u"nederlands", u"IDR_LNG_NEDERLANDS"},
    {u"polski", u"IDR_LNG_POLSKI"},        {u"russian", u"IDR_LNG_RUSSIAN"},
    {u"slovak", u"IDR_LNG_SLOVAK"},        {u"ellenika", u"IDR_LNG_ELLENIKA"},
    {u"turkish", u"IDR_LNG_TURKISH"},      {u"portbr", u"IDR_LNG_PORTBR"},
    {u"bosanski", u"IDR_LNG_BOSANSKI"},    {u"hrvatski", u"IDR_LNG_HRVATSKI"},
    {u"srpski", u"IDR_LNG_SRPSKI"},        {u"japanese", u"IDR_LNG_JAPANESE"},
};

}  // namespace

std::u16string LanguageResourceOfKeyword(const std::u16string& keyword) {
  for (const KeywordEntry& entry : kKeywords)
    if (keyword == entry.keyword) return entry.resourceName;
  return {};
}

}  // namespace zv
