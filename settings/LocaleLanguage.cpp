#include "settings/LocaleLanguage.h"

namespace zv {

std::u16string BuiltInLanguageForLocale(uint16_t languageId) {
  const unsigned primary = languageId & 0x3FFu;
  const unsigned sub = languageId >> 10;
  switch (primary) {
    case 0x07: return u"IDR_LNG_GERMAN";
    case 0x0c: return u"IDR_LNG_FRANCAIS";
    case 0x0a: return u"IDR_LNG_ESPANOL";
    case 0x10: return u"IDR_LNG_ITALIANO";
    case 0x1b: return u"IDR_LNG_SLOVAK";
    case 0x56: return u"IDR_LNG_GALEGO";
    case 0x19: return u"IDR_LNG_RUSSIAN";
    case 0x0e: return u"IDR_LNG_MAGYAR";
    case 0x13: return u"IDR_LNG_NEDERLANDS";
    case 0x15: return u"IDR_LNG_POLSKI";
    case 0x08: return u"IDR_LNG_ELLENIKA";
    case 0x16: return u"IDR_LNG_PORTBR";
    case 0x1f: return u"IDR_LNG_TURKISH";
    case 0x11: return u"IDR_LNG_JAPANESE";
    case 0x1a:
      // Croatian, Bosnian and Serbian share the primary language.
      if (sub == 0x01 || sub == 0x04) return u"IDR_LNG_HRVATSKI";
      if (sub == 0x05 || sub == 0x08) return u"IDR_LNG_BOSANSKI";
      return u"IDR_LNG_SRPSKI";
    default: return u"IDR_LNG_ENGLISH";
  }
}

}  // namespace zv
