#include "media/LanguageNames.h"

#include <cstring>

namespace zv {
namespace {

struct Language {
  const char* alpha2;        // ISO 639-1, empty when there is none
  const char* terminology;   // ISO 639-2/T (also 639-3)
  const char* bibliographic; // ISO 639-2/B where it differs, else empty
  const char16_t* name;
};

// The ISO 639-1 languages and a few common ones with three-letter codes only.
constexpr Language kLanguages[] = {
    {"aa", "aar", "", u"Afar"},
    {"ab", "abk", "", u"Abkhazian"},
    {"ae", "ave", "", u"Avestan"},
    {"af", "afr", "", u"Afrikaans"},
    {"ak", "aka", "", u"Akan"},
    {"am", "amh", "", u"Amharic"},
    {"an", "arg", "", u"Aragonese"},
    {"ar", "ara", "", u"Arabic"},
    {"as", "asm", "", u"Assamese"},
    {"av", "ava", "", u"Avaric"},
    {"ay", "aym", "", u"Aymara"},
    {"az", "aze", "", u"Azerbaijani"},
    {"ba", "bak", "", u"Bashkir"},
    {"be", "bel", "", u"Belarusian"},
    {"bg", "bul", "", u"Bulgarian"},
    {"bi", "bis", "", u"Bislama"},
    {"bm", "bam", "", u"Bambara"},
    {"bn", "ben", "", u"Bengali"},
    {"bo", "bod", "tib", u"Tibetan"},
    {"br", "bre", "", u"Breton"},
    {"bs", "bos", "", u"Bosnian"},
    {"ca", "cat", "", u"Catalan"},
    {"ce", "che", "", u"Chechen"},
    {"ch", "cha", "", u"Chamorro"},
    {"co", "cos", "", u"Corsican"},
    {"cr", "cre", "", u"Cree"},
    {"cs", "ces", "cze", u"Czech"},
    {"cu", "chu", "", u"Church Slavic"},
    {"cv", "chv", "", u"Chuvash"},
    {"cy", "cym", "wel", u"Welsh"},
    {"da", "dan", "", u"Danish"},
    {"de", "deu", "ger", u"German"},
    {"dv", "div", "", u"Divehi"},
    {"dz", "dzo", "", u"Dzongkha"},
    {"ee", "ewe", "", u"Ewe"},
    {"el", "ell", "gre", u"Greek"},
    {"en", "eng", "", u"English"},
    {"eo", "epo", "", u"Esperanto"},
    {"es", "spa", "", u"Spanish"},
    {"et", "est", "", u"Estonian"},
    {"eu", "eus", "baq", u"Basque"},
    {"fa", "fas", "per", u"Persian"},
    {"ff", "ful", "", u"Fulah"},
    {"fi", "fin", "", u"Finnish"},
    {"fj", "fij", "", u"Fijian"},
    {"fo", "fao", "", u"Faroese"},
    {"fr", "fra", "fre", u"French"},
    {"fy", "fry", "", u"Frisian"},
    {"ga", "gle", "", u"Irish"},
    {"gd", "gla", "", u"Scottish Gaelic"},
    {"gl", "glg", "", u"Galician"},
    {"gn", "grn", "", u"Guarani"},
    {"gu", "guj", "", u"Gujarati"},
    {"gv", "glv", "", u"Manx"},
    {"ha", "hau", "", u"Hausa"},
    {"he", "heb", "", u"Hebrew"},
    {"hi", "hin", "", u"Hindi"},
    {"ho", "hmo", "", u"Hiri Motu"},
    {"hr", "hrv", "", u"Croatian"},
    {"ht", "hat", "", u"Haitian"},
    {"hu", "hun", "", u"Hungarian"},
    {"hy", "hye", "arm", u"Armenian"},
    {"hz", "her", "", u"Herero"},
    {"ia", "ina", "", u"Interlingua"},
    {"id", "ind", "", u"Indonesian"},
    {"ie", "ile", "", u"Interlingue"},
    {"ig", "ibo", "", u"Igbo"},
    {"ii", "iii", "", u"Yi"},
    {"ik", "ipk", "", u"Inupiaq"},
    {"io", "ido", "", u"Ido"},
    {"is", "isl", "ice", u"Icelandic"},
    {"it", "ita", "", u"Italian"},
    {"iu", "iku", "", u"Inuktitut"},
    {"ja", "jpn", "", u"Japanese"},
    {"jv", "jav", "", u"Javanese"},
    {"ka", "kat", "geo", u"Georgian"},
    {"kg", "kon", "", u"Kongo"},
    {"ki", "kik", "", u"Kikuyu"},
    {"kj", "kua", "", u"Kuanyama"},
    {"kk", "kaz", "", u"Kazakh"},
    {"kl", "kal", "", u"Greenlandic"},
    {"km", "khm", "", u"Khmer"},
    {"kn", "kan", "", u"Kannada"},
    {"ko", "kor", "", u"Korean"},
    {"kr", "kau", "", u"Kanuri"},
    {"ks", "kas", "", u"Kashmiri"},
    {"ku", "kur", "", u"Kurdish"},
    {"kv", "kom", "", u"Komi"},
    {"kw", "cor", "", u"Cornish"},
    {"ky", "kir", "", u"Kyrgyz"},
    {"la", "lat", "", u"Latin"},
    {"lb", "ltz", "", u"Luxembourgish"},
    {"lg", "lug", "", u"Ganda"},
    {"li", "lim", "", u"Limburgish"},
    {"ln", "lin", "", u"Lingala"},
    {"lo", "lao", "", u"Lao"},
    {"lt", "lit", "", u"Lithuanian"},
    {"lu", "lub", "", u"Luba-Katanga"},
    {"lv", "lav", "", u"Latvian"},
    {"mg", "mlg", "", u"Malagasy"},
    {"mh", "mah", "", u"Marshallese"},
    {"mi", "mri", "mao", u"Maori"},
    {"mk", "mkd", "mac", u"Macedonian"},
    {"ml", "mal", "", u"Malayalam"},
    {"mn", "mon", "", u"Mongolian"},
    {"mr", "mar", "", u"Marathi"},
    {"ms", "msa", "may", u"Malay"},
    {"mt", "mlt", "", u"Maltese"},
    {"my", "mya", "bur", u"Burmese"},
    {"na", "nau", "", u"Nauru"},
    {"nb", "nob", "", u"Norwegian Bokm\u00e5l"},
    {"nd", "nde", "", u"North Ndebele"},
    {"ne", "nep", "", u"Nepali"},
    {"ng", "ndo", "", u"Ndonga"},
    {"nl", "nld", "dut", u"Dutch"},
    {"nn", "nno", "", u"Norwegian Nynorsk"},
    {"no", "nor", "", u"Norwegian"},
    {"nr", "nbl", "", u"South Ndebele"},
    {"nv", "nav", "", u"Navajo"},
    {"ny", "nya", "", u"Chichewa"},
    {"oc", "oci", "", u"Occitan"},
    {"oj", "oji", "", u"Ojibwa"},
    {"om", "orm", "", u"Oromo"},
    {"or", "ori", "", u"Odia"},
    {"os", "oss", "", u"Ossetic"},
    {"pa", "pan", "", u"Punjabi"},
    {"pi", "pli", "", u"Pali"},
    {"pl", "pol", "", u"Polish"},
    {"ps", "pus", "", u"Pashto"},
    {"pt", "por", "", u"Portuguese"},
    {"qu", "que", "", u"Quechua"},
    {"rm", "roh", "", u"Romansh"},
    {"rn", "run", "", u"Rundi"},
    {"ro", "ron", "rum", u"Romanian"},
    {"ru", "rus", "", u"Russian"},
    {"rw", "kin", "", u"Kinyarwanda"},
    {"sa", "san", "", u"Sanskrit"},
    {"sc", "srd", "", u"Sardinian"},
    {"sd", "snd", "", u"Sindhi"},
    {"se", "sme", "", u"Northern Sami"},
    {"sg", "sag", "", u"Sango"},
    {"si", "sin", "", u"Sinhala"},
    {"sk", "slk", "slo", u"Slovak"},
    {"sl", "slv", "", u"Slovenian"},
    {"sm", "smo", "", u"Samoan"},
    {"sn", "sna", "", u"Shona"},
    {"so", "som", "", u"Somali"},
    {"sq", "sqi", "alb", u"Albanian"},
    {"sr", "srp", "", u"Serbian"},
    {"ss", "ssw", "", u"Swati"},
    {"st", "sot", "", u"Southern Sotho"},
    {"su", "sun", "", u"Sundanese"},
    {"sv", "swe", "", u"Swedish"},
    {"sw", "swa", "", u"Swahili"},
    {"ta", "tam", "", u"Tamil"},
    {"te", "tel", "", u"Telugu"},
    {"tg", "tgk", "", u"Tajik"},
    {"th", "tha", "", u"Thai"},
    {"ti", "tir", "", u"Tigrinya"},
    {"tk", "tuk", "", u"Turkmen"},
    {"tl", "tgl", "", u"Tagalog"},
    {"tn", "tsn", "", u"Tswana"},
    {"to", "ton", "", u"Tongan"},
    {"tr", "tur", "", u"Turkish"},
    {"ts", "tso", "", u"Tsonga"},
    {"tt", "tat", "", u"Tatar"},
    {"tw", "twi", "", u"Twi"},
    {"ty", "tah", "", u"Tahitian"},
    {"ug", "uig", "", u"Uyghur"},
    {"uk", "ukr", "", u"Ukrainian"},
    {"ur", "urd", "", u"Urdu"},
    {"uz", "uzb", "", u"Uzbek"},
    {"ve", "ven", "", u"Venda"},
    {"vi", "vie", "", u"Vietnamese"},
    {"vo", "vol", "", u"Volap\u00fck"},
    {"wa", "wln", "", u"Walloon"},
    {"wo", "wol", "", u"Wolof"},
    {"xh", "xho", "", u"Xhosa"},
    {"yi", "yid", "", u"Yiddish"},
    {"yo", "yor", "", u"Yoruba"},
    {"za", "zha", "", u"Zhuang"},
    {"zh", "zho", "chi", u"Chinese"},
    {"zu", "zul", "", u"Zulu"},
    {"", "fil", "", u"Filipino"},
    {"", "yue", "", u"Cantonese"},
    {"", "cmn", "", u"Mandarin"},
    {"", "haw", "", u"Hawaiian"},
    {"", "gsw", "", u"Swiss German"},
};

// The primary subtag in lower case: "pt-BR" -> "pt"; empty when it is not
// two or three ASCII letters.
std::string PrimarySubtag(std::string_view tag) {
  std::string code;
  for (char c : tag) {
    if (c == '-' || c == '_') break;
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c < 'a' || c > 'z') return {};
    code += c;
    if (code.size() > 3) return {};
  }
  return code.size() >= 2 ? code : std::string();
}

const Language* Find(std::string_view tag) {
  const std::string code = PrimarySubtag(tag);
  if (code.empty()) return nullptr;
  for (const Language& language : kLanguages) {
    if (code == language.alpha2 || code == language.terminology || code == language.bibliographic)
      return &language;
  }
  return nullptr;
}

bool EqualsAsciiNoCase(const std::u16string& text, std::string_view ascii) {
  if (text.size() != ascii.size()) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    char16_t a = text[i];
    char b = ascii[i];
    if (a >= u'A' && a <= u'Z') a = static_cast<char16_t>(a - u'A' + u'a');
    if (b >= 'A' && b <= 'Z') b = static_cast<char>(b - 'A' + 'a');
    if (a != static_cast<unsigned char>(b)) return false;
  }
  return true;
}

}  // namespace

std::u16string EnglishLanguageName(std::string_view tag) {
  const Language* language = Find(tag);
  return language ? language->name : std::u16string();
}

std::string TwoLetterLanguageCode(std::string_view tag) {
  const Language* language = Find(tag);
  return language ? language->alpha2 : std::string();
}

bool IsLanguageCode(std::string_view text) { return Find(text) != nullptr && PrimarySubtag(text).size() == text.size(); }

std::u16string StreamDisplayName(std::string_view language, const std::u16string& title,
                                 const std::u16string& fallback) {
  const std::u16string name = EnglishLanguageName(language);
  if (name.empty()) return title.empty() ? fallback : title;
  // A title that only repeats the language (its name or its code) adds nothing.
  if (title.empty() || title == name || EqualsAsciiNoCase(title, language)) return name;
  return name + u" (" + title + u")";
}

}  // namespace zv
