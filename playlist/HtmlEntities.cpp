// The named character entities of HTML, looked up when a document is read
// in the HTML-tolerant mode.
#include "playlist/XmlEscape.h"

#include <array>
#include <cstdint>
#include <vector>

namespace zv {
namespace {

struct NamedEntity {
  const char16_t* name;
  char16_t character;
};

// U+00A0 to U+00FF in order.
constexpr const char16_t* kLatin1Names[96] = {
    u"nbsp",   u"iexcl",  u"cent",   u"pound",  u"curren", u"yen",    u"brvbar", u"sect",
    u"uml",    u"copy",   u"ordf",   u"laquo",  u"not",    u"shy",    u"reg",    u"macr",
    u"deg",    u"plusmn", u"sup2",   u"sup3",   u"acute",  u"micro",  u"para",   u"middot",
    u"cedil",  u"sup1",   u"ordm",   u"raquo",  u"frac14", u"frac12", u"frac34", u"iquest",
    u"Agrave", u"Aacute", u"Acirc",  u"Atilde", u"Auml",   u"Aring",  u"AElig",  u"Ccedil",
    u"Egrave", u"Eacute", u"Ecirc",  u"Euml",   u"Igrave", u"Iacute", u"Icirc",  u"Iuml",
    u"ETH",    u"Ntilde", u"Ograve", u"Oacute", u"Ocirc",  u"Otilde", u"Ouml",   u"times",
    u"Oslash", u"Ugrave", u"Uacute", u"Ucirc",  u"Uuml",   u"Yacute", u"THORN",  u"szlig",
    u"agrave", u"aacute", u"acirc",  u"atilde", u"auml",   u"aring",  u"aelig",  u"ccedil",
    u"egrave", u"eacute", u"ecirc",  u"euml",   u"igrave", u"iacute", u"icirc",  u"iuml",
    u"eth",    u"ntilde", u"ograve", u"oacute", u"ocirc",  u"otilde", u"ouml",   u"divide",
    u"oslash", u"ugrave", u"uacute", u"ucirc",  u"uuml",   u"yacute", u"thorn",  u"yuml",
};

// U+0391 to U+03A9 (U+03A2 has no capital form) and U+03B1 to U+03C9.
constexpr const char16_t* kGreekCapitals[25] = {
    u"Alpha", u"Beta", u"Gamma",   u"Delta", u"Epsilon", u"Zeta", u"Eta", u"Theta", u"Iota",
    u"Kappa", u"Lambda", u"Mu",    u"Nu",    u"Xi",      u"Omicron", u"Pi", u"Rho", nullptr,
    u"Sigma", u"Tau",  u"Upsilon", u"Phi",   u"Chi",     u"Psi",  u"Omega"};
constexpr const char16_t* kGreekSmall[25] = {
    u"alpha", u"beta", u"gamma",   u"delta", u"epsilon", u"zeta",    u"eta", u"theta", u"iota",
    u"kappa", u"lambda", u"mu",    u"nu",    u"xi",      u"omicron", u"pi",  u"rho",   u"sigmaf",
    u"sigma", u"tau",  u"upsilon", u"phi",   u"chi",     u"psi",     u"omega"};

constexpr NamedEntity kOtherEntities[] = {
    {u"quot", 34},      {u"amp", 38},       {u"lt", 60},        {u"gt", 62},
    {u"apos", 39},      {u"OElig", 338},    {u"oelig", 339},    {u"Scaron", 352},
    {u"scaron", 353},   {u"Yuml", 376},     {u"fnof", 402},     {u"circ", 710},
    {u"tilde", 732},    {u"thetasym", 977}, {u"upsih", 978},    {u"piv", 982},
    {u"ensp", 8194},    {u"emsp", 8195},    {u"thinsp", 8201},  {u"zwnj", 8204},
    {u"zwj", 8205},     {u"lrm", 8206},     {u"rlm", 8207},     {u"ndash", 8211},
    {u"mdash", 8212},   {u"lsquo", 8216},   {u"rsquo", 8217},   {u"sbquo", 8218},
    {u"ldquo", 8220},   {u"rdquo", 8221},   {u"bdquo", 8222},   {u"dagger", 8224},
    {u"Dagger", 8225},  {u"bull", 8226},    {u"hellip", 8230},  {u"permil", 8240},
    {u"prime", 8242},   {u"Prime", 8243},   {u"lsaquo", 8249},  {u"rsaquo", 8250},
    {u"oline", 8254},   {u"frasl", 8260},   {u"euro", 8364},    {u"image", 8465},
    {u"weierp", 8472},  {u"real", 8476},    {u"trade", 8482},   {u"alefsym", 8501},
    {u"larr", 8592},    {u"uarr", 8593},    {u"rarr", 8594},    {u"darr", 8595},
    {u"harr", 8596},    {u"crarr", 8629},   {u"lArr", 8656},    {u"uArr", 8657},
    {u"rArr", 8658},    {u"dArr", 8659},    {u"hArr", 8660},    {u"forall", 8704},
    {u"part", 8706},    {u"exist", 8707},   {u"empty", 8709},   {u"nabla", 8711},
    {u"isin", 8712},    {u"notin", 8713},   {u"ni", 8715},      {u"prod", 8719},
    {u"sum", 8721},     {u"minus", 8722},   {u"lowast", 8727},  {u"radic", 8730},
    {u"prop", 8733},    {u"infin", 8734},   {u"ang", 8736},     {u"and", 8743},
    {u"or", 8744},      {u"cap", 8745},     {u"cup", 8746},     {u"int", 8747},
    {u"there4", 8756},  {u"sim", 8764},     {u"cong", 8773},    {u"asymp", 8776},
    {u"ne", 8800},      {u"equiv", 8801},   {u"le", 8804},      {u"ge", 8805},
    {u"sub", 8834},     {u"sup", 8835},     {u"nsub", 8836},    {u"sube", 8838},
    {u"supe", 8839},    {u"oplus", 8853},   {u"otimes", 8855},  {u"perp", 8869},
    {u"sdot", 8901},    {u"lceil", 8968},   {u"rceil", 8969},   {u"lfloor", 8970},
    {u"rfloor", 8971},  {u"lang", 9001},    {u"rang", 9002},    {u"loz", 9674},
    {u"spades", 9824},  {u"clubs", 9827},   {u"hearts", 9829},  {u"diams", 9830},
};

constexpr size_t kBuckets = 130;

size_t BucketOf(std::u16string_view name) {
  uint32_t h = 0;
  for (char16_t c : name) h = h * 31 + c;
  return h % kBuckets;
}

class EntityTable {
 public:
  EntityTable() {
    for (size_t i = 0; i < 96; ++i) Add({kLatin1Names[i], static_cast<char16_t>(0xA0 + i)});
    for (size_t i = 0; i < 25; ++i) {
      if (kGreekCapitals[i]) Add({kGreekCapitals[i], static_cast<char16_t>(0x391 + i)});
      Add({kGreekSmall[i], static_cast<char16_t>(0x3B1 + i)});
    }
    for (const NamedEntity& e : kOtherEntities) Add(e);
  }

  char16_t Find(std::u16string_view name) const {
    for (const NamedEntity& e : buckets_[BucketOf(name)])
      if (name == e.name) return e.character;
    return 0;
  }

 private:
  void Add(NamedEntity e) { buckets_[BucketOf(e.name)].push_back(e); }
  std::array<std::vector<NamedEntity>, kBuckets> buckets_;
};

}  // namespace

char16_t HtmlEntityCharacter(std::u16string_view name) {
  static const EntityTable table;
  return table.Find(name);
}

}  // namespace zv
