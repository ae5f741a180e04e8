// The eighteen built-in languages against English: the same sections and keys in the same
// order, the same printf conversions, accelerator texts and line breaks, mnemonics that are
// unique within each menu level and each dialog, and texts that were translated rather than
// copied. Reads the files from the source tree.
#include "lang/LanguageKeywords.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

std::string ReadFile(const std::string& relative) {
  std::ifstream in(std::string(ZV_SOURCE_DIR) + "/" + relative, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

struct Language {
  const char* file;
  const char* name;  // its [File] Language value and header name
  const char* resource;
};

const Language kLanguages[] = {
    {"English.lng", "English", "IDR_LNG_ENGLISH"},
    {"German.lng", "Deutsch", "IDR_LNG_GERMAN"},
    {"French.lng", "Français", "IDR_LNG_FRANCAIS"},
    {"Spanish.lng", "Español", "IDR_LNG_ESPANOL"},
    {"Galician.lng", "Galego", "IDR_LNG_GALEGO"},
    {"Italian.lng", "Italiano", "IDR_LNG_ITALIANO"},
    {"Hungarian.lng", "Magyar", "IDR_LNG_MAGYAR"},
    {"Dutch.lng", "Nederlands", "IDR_LNG_NEDERLANDS"},
    {"Polish.lng", "Polski", "IDR_LNG_POLSKI"},
    {"Russian.lng", "Русский", "IDR_LNG_RUSSIAN"},
    {"Slovak.lng", "Slovenčina", "IDR_LNG_SLOVAK"},
    {"Greek.lng", "Ελληνικά", "IDR_LNG_ELLENIKA"},
    {"Turkish.lng", "Türkçe", "IDR_LNG_TURKISH"},
    {"PortugueseBR.lng", "Português Brasileiro", "IDR_LNG_PORTBR"},
    {"Bosnian.lng", "Bosanski", "IDR_LNG_BOSANSKI"},
    {"Croatian.lng", "Hrvatski", "IDR_LNG_HRVATSKI"},
    {"Serbian.lng", "Srpski (latinica)", "IDR_LNG_SRPSKI"},
    {"Japanese.lng", "日本語", "IDR_LNG_JAPANESE"},
};

struct Entry {
  std::string key;
  std::string value;
};

struct Section {
  std::string name;
  std::vector<Entry> entries;
};

struct File {
  std::string bytes;
  std::vector<std::string> lines;
  std::vector<Section> sections;

  const Section* Find(const std::string& name) const {
    for (const Section& s : sections)
      if (s.name == name) return &s;
    return nullptr;
  }
  std::string Value(const std::string& section, const std::string& key) const {
    if (const Section* s = Find(section))
      for (const Entry& e : s->entries)
        if (e.key == key) return e.value;
    return {};
  }
};

File Read(const Language& language) {
  File file;
  file.bytes = ReadFile(std::string("res/lang/") + language.file);
  std::string text = file.bytes.rfind("\xEF\xBB\xBF", 0) == 0 ? file.bytes.substr(3) : file.bytes;
  std::string line;
  for (char c : text + "\n") {
    if (c != '\n') {
      line += c;
      continue;
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    file.lines.push_back(line);
    line.clear();
  }
  for (const std::string& l : file.lines) {
    if (l.empty() || l[0] == '#') continue;
    if (l[0] == '[') {
      file.sections.push_back({l.substr(1, l.size() - 2), {}});
      continue;
    }
    const std::size_t eq = l.find('=', 1);
    if (eq != std::string::npos && !file.sections.empty())
      file.sections.back().entries.push_back({l.substr(0, eq), l.substr(eq + 1)});
  }
  return file;
}

const File& English() {
  static const File english = Read(kLanguages[0]);
  return english;
}

// UTF-8 to code points; an invalid sequence yields U+FFFD so that the test notices it.
std::u32string Decode(const std::string& text) {
  std::u32string out;
  for (std::size_t i = 0; i < text.size();) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
    if (extra < 0 || i + extra >= text.size()) {
      out += U'\uFFFD';
      ++i;
      continue;
    }
    char32_t cp = extra == 0 ? c : c & (0x3F >> extra);
    bool ok = true;
    for (int k = 1; k <= extra; ++k) {
      const unsigned char d = static_cast<unsigned char>(text[i + k]);
      if ((d & 0xC0) != 0x80) ok = false;
      cp = (cp << 6) | (d & 0x3F);
    }
    out += ok ? cp : U'\uFFFD';
    i += ok ? extra + 1 : 1;
  }
  return out;
}

// Case folding for the scripts of the built-in languages (Latin, Greek, Cyrillic).
char32_t Fold(char32_t c) {
  if (c >= U'A' && c <= U'Z') return c + 32;
  if ((c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 32;
  if (c >= 0x100 && c <= 0x17F && c != 0x130 && c != 0x131) {
    const bool pairedOdd = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    return pairedOdd ? ((c & 1) ? c + 1 : c) : (c | 1);
  }
  if (c >= 0x391 && c <= 0x3AB) return c + 32;
  if (c >= 0x410 && c <= 0x42F) return c + 32;
  if (c >= 0x400 && c <= 0x40F) return c + 80;
  return c;
}

// The mnemonic characters of a menu or control text (the part before a tab); "&&" is a
// literal ampersand.
std::vector<char32_t> Mnemonics(const std::string& value) {
  const std::u32string text = Decode(value.substr(0, value.find("\\t")));
  std::vector<char32_t> found;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != U'&') continue;
    if (i + 1 < text.size() && text[i + 1] != U'&') found.push_back(Fold(text[i + 1]));
    ++i;
  }
  return found;
}

std::string Conversions(const std::string& value) {
  std::string found;
  for (std::size_t i = 0; i + 1 < value.size(); ++i) {
    if (value[i] != '%') continue;
    std::size_t j = i + 1;
    while (j < value.size() && std::string("0123456789.-+ #lh").find(value[j]) != std::string::npos) ++j;
    if (j < value.size()) found += value.substr(i, j - i + 1) + ",";
    i = j;
  }
  return found;
}

std::size_t Count(const std::string& text, const std::string& what) {
  std::size_t n = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size())) ++n;
  return n;
}

// The shortcut text after the tab, with German key names spelled as the English file does, so
// that both name the same fixed keys.
std::string Accelerator(const std::string& value, bool german) {
  const std::size_t tab = value.find("\\t");
  if (tab == std::string::npos) return "(none)";
  std::string text = value.substr(tab + 2);
  if (!german) return text;
  const std::pair<const char*, const char*> names[] = {
      {"LEERTASTE", "SPACE"}, {"EINFG", "INS"},          {"POS1", "HOME"},
      {"ENTF", "DEL"},        {"STRG", "CTRL"},          {"PFEIL OBEN", "UP"},
      {"PFEIL UNTEN", "DOWN"}, {"PFEIL RECHTS", "RIGHT"}, {"PFEIL LINKS", "LEFT"}};
  for (const auto& [from, to] : names)
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from))
      text.replace(at, std::string(from).size(), to);
  if (text == "ENDE") text = "END";
  return text;
}

// Menu levels as the user meets them: the items of each BEGIN/END block of the menu
// resources, named by their command ids (pop-ups by the id in their trailing comment).
std::vector<std::vector<std::string>> MenuLevels() {
  std::vector<std::vector<std::string>> levels, open;
  std::istringstream in(ReadFile("res/Menus.rc"));
  std::string line;
  auto lastWord = [](const std::string& text) {
    std::size_t end = text.find_last_not_of(" \t\r");
    if (end == std::string::npos) return std::string();
    std::size_t begin = text.find_last_of(" \t,", end);
    return text.substr(begin == std::string::npos ? 0 : begin + 1, end - (begin == std::string::npos ? 0 : begin + 1) + 1);
  };
  while (std::getline(in, line)) {
    const std::size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos) continue;
    const std::string trimmed = line.substr(first);
    if (trimmed.rfind("//", 0) == 0) continue;
    if (trimmed.rfind("BEGIN", 0) == 0) {
      open.emplace_back();
    } else if (trimmed.rfind("END", 0) == 0 && !open.empty()) {
      levels.push_back(open.back());
      open.pop_back();
    } else if (trimmed.rfind("POPUP", 0) == 0 && !open.empty()) {
      const std::size_t comment = trimmed.find("//");
      if (comment != std::string::npos) open.back().push_back(lastWord(trimmed.substr(comment + 2)));
    } else if (trimmed.rfind("MENUITEM", 0) == 0 && !open.empty() && trimmed.find('"') != std::string::npos) {
      const std::size_t close = trimmed.rfind('"');
      std::istringstream rest(trimmed.substr(close + 1));
      std::string id;
      std::getline(rest, id, ',');  // the empty part before the first comma
      std::getline(rest, id, ',');
      id.erase(0, id.find_first_not_of(" \t"));
      id.erase(id.find_last_not_of(" \t\r") + 1);
      open.back().push_back(id);
    }
  }
  return levels;
}

// Terms that a careful translator keeps as they are in the language concerned.
const std::set<std::string> kSameInManyLanguages = {
    "&OK", "OK", "DVD", "VDR", "Dreambox", "Audio", "Video", "Volume", "Balance", "Pause", "Version",
    "Extension", "Type", "Description", "Build", "Status", "Details", "Normal", "General", "Error",
    "Error: %s", "Streaming", "&Navigation", "&Zoom", "Zentra-Vue Update", "Screenshot",
    "&Screenshot\\tF12", "Playlist", "&Playlist", "&File", "S&treams", "An&gles", "&Filters", "&Help",
    "Au&dio", "E&xtras", "&Start", "Playlists"};

}  // namespace

TEST(Translations, EveryFileIsUtf8WithBomCrLfAndItsOwnHeader) {
  for (const Language& language : kLanguages) {
    const File file = Read(language);
    SCOPED_TRACE(language.file);
    ASSERT_GT(file.bytes.size(), 3u);
    EXPECT_EQ(file.bytes.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_EQ(Decode(file.bytes).find(U'\uFFFD'), std::u32string::npos) << "invalid UTF-8";
    for (std::size_t i = 0; i < file.bytes.size(); ++i) {
      if (file.bytes[i] == '\n') ASSERT_TRUE(i > 0 && file.bytes[i - 1] == '\r') << "offset " << i;
      if (file.bytes[i] == '\r') ASSERT_TRUE(i + 1 < file.bytes.size() && file.bytes[i + 1] == '\n');
    }
    ASSERT_GE(file.lines.size(), 4u);
    EXPECT_EQ(file.lines[0], "# Zentravue v1.3.0.0 Language File");
    EXPECT_EQ(file.lines[1], "#");
    EXPECT_EQ(file.lines[2], std::string("# Language: ") + language.name);
    EXPECT_EQ(file.lines[3].find_first_not_of('#'), std::string::npos);
    EXPECT_EQ(file.Value("File", "Language"), language.name);
    EXPECT_FALSE(file.Value("File", "Creator").empty());
    EXPECT_EQ(file.Value("File", "Version"), English().Value("File", "Version"));
  }
}

TEST(Translations, HaveEnglishSectionsAndKeysInOrderNothingMoreNothingLess) {
  for (const Language& language : kLanguages) {
    const File file = Read(language);
    SCOPED_TRACE(language.file);
    ASSERT_EQ(file.sections.size(), English().sections.size());
    for (std::size_t s = 0; s < file.sections.size(); ++s) {
      const Section& en = English().sections[s];
      const Section& tr = file.sections[s];
      ASSERT_EQ(tr.name, en.name);
      std::vector<std::string> enKeys, trKeys;
      for (const Entry& e : en.entries) enKeys.push_back(e.key);
      for (const Entry& e : tr.entries) trKeys.push_back(e.key);
      EXPECT_EQ(trKeys, enKeys) << en.name;
      for (const Entry& e : tr.entries) EXPECT_FALSE(e.value.empty()) << en.name << " " << e.key;
    }
  }
}

TEST(Translations, KeepConversionsAcceleratorsLineBreaksAndEscapes) {
  for (const Language& language : kLanguages) {
    const File file = Read(language);
    const bool german = std::string(language.file) == "German.lng";
    SCOPED_TRACE(language.file);
    for (const Section& en : English().sections) {
      for (const Entry& e : en.entries) {
        const std::string value = file.Value(en.name, e.key);
        const std::string where = en.name + " " + e.key + ": " + value;
        EXPECT_EQ(Conversions(value), Conversions(e.value)) << where;
        EXPECT_EQ(Count(value, "\\n"), Count(e.value, "\\n")) << where;
        if (en.name != "File") EXPECT_EQ(Accelerator(value, german), Accelerator(e.value, german)) << where;
        // Filter texts are joined with "|"; any escape but \t and \n would show as typed.
        EXPECT_EQ(value.find('|'), std::string::npos) << where;
        for (std::size_t at = value.find('\\'); at != std::string::npos; at = value.find('\\', at + 2))
          EXPECT_TRUE(at + 1 < value.size() && (value[at + 1] == 't' || value[at + 1] == 'n')) << where;
        EXPECT_LE(Mnemonics(value).size(), 1u) << where;
      }
    }
  }
}

TEST(Translations, MnemonicsAreUniqueWithinEachMenuLevel) {
  const auto levels = MenuLevels();
  ASSERT_GE(levels.size(), 15u);
  for (const Language& language : kLanguages) {
    const File file = Read(language);
    SCOPED_TRACE(language.file);
    for (const auto& level : levels) {
      std::map<char32_t, std::string> seen;
      for (const std::string& id : level) {
        const std::string value = file.Value("MainMenu", id);
        for (char32_t m : Mnemonics(value)) {
          const auto [it, fresh] = seen.emplace(m, id);
          EXPECT_TRUE(fresh) << id << " \"" << value << "\" repeats the mnemonic of " << it->second;
        }
      }
    }
  }
}

TEST(Translations, MnemonicsAreUniqueWithinEachDialog) {
  for (const Language& language : kLanguages) {
    const File file = Read(language);
    SCOPED_TRACE(language.file);
    for (const Section& section : file.sections) {
      if (section.name.rfind("IDD_", 0) != 0) continue;
      std::map<char32_t, std::string> seen;
      for (const Entry& e : section.entries)
        for (char32_t m : Mnemonics(e.value)) {
          const auto [it, fresh] = seen.emplace(m, e.key);
          EXPECT_TRUE(fresh) << section.name << " " << e.key << " repeats the mnemonic of " << it->second;
        }
    }
  }
}

TEST(Translations, AreTranslatedRatherThanCopied) {
  for (const Language& language : kLanguages) {
    if (std::string(language.file) == "English.lng") continue;
    const File file = Read(language);
    SCOPED_TRACE(language.file);
    for (const Section& en : English().sections) {
      if (en.name == "File") continue;
      for (const Entry& e : en.entries) {
        const std::string value = file.Value(en.name, e.key);
        if (value == e.value) EXPECT_EQ(kSameInManyLanguages.count(value), 1u) << en.name << " " << e.key << ": " << value;
      }
    }
  }
}

TEST(Translations, EveryLanguageIsBuiltInUnderItsNameAndKeyword) {
  const std::string resources = ReadFile("res/Languages.rc");
  for (const Language& language : kLanguages) {
    const std::string file = std::string("\"lang/") + language.file + "\"";
    const std::size_t at = resources.find(file);
    ASSERT_NE(at, std::string::npos) << language.file;
    const std::size_t lineStart = resources.rfind('\n', at) + 1;
    std::istringstream line(resources.substr(lineStart, at - lineStart));
    std::string name, type;
    line >> name >> type;
    EXPECT_EQ(name, language.resource);
    EXPECT_EQ(type, "LNG");
  }
  const char16_t* keywords[] = {u"deutsch", u"english", u"francais", u"espanol", u"galego",   u"italiano",
                                u"magyar",  u"nederlands", u"polski", u"russian", u"slovak",  u"ellenika",
                                u"turkish", u"portbr",  u"bosanski", u"hrvatski", u"srpski",  u"japanese"};
  std::set<std::u16string> named;
  for (const char16_t* keyword : keywords) named.insert(zv::LanguageResourceOfKeyword(keyword));
  std::set<std::u16string> declared;
  for (const Language& language : kLanguages) {
    std::u16string name;
    for (const char* c = language.resource; *c; ++c) name += static_cast<char16_t>(*c);
    declared.insert(name);
  }
  EXPECT_EQ(named, declared);
}
