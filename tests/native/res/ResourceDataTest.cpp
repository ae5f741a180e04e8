// Consistency of the resource data that the program carries: the resource header (which is
// also the name table), the menus and the built-in language files. Reads the files from the
// source tree, so a broken edit fails here before it reaches a translated window.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
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

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  for (char c : text) {
    if (c == '\n') {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(line);
      line.clear();
      continue;
    }
    line += c;
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

struct Define {
  std::string name;
  long number = 0;
  std::string line;
};

// Every "#define NAME NUMBER" line of the header, in file order.
std::vector<Define> ReadDefines() {
  std::vector<Define> defines;
  for (const std::string& line : SplitLines(ReadFile("res/resource.h"))) {
    if (line.rfind("#define", 0) != 0) continue;
    std::istringstream fields(line.substr(7));
    Define d;
    fields >> d.name >> d.number;
    d.line = line;
    defines.push_back(d);
  }
  return defines;
}

std::map<std::string, long> DefineMap() {
  std::map<std::string, long> names;
  for (const Define& d : ReadDefines()) names[d.name] = d.number;
  return names;
}

struct Section {
  std::string name;
  std::vector<std::pair<std::string, std::string>> entries;  // file order
};

struct LanguageFile {
  std::string bytes;
  std::vector<std::string> lines;
  std::vector<Section> sections;

  const Section* Find(const std::string& name) const {
    for (const Section& s : sections)
      if (s.name == name) return &s;
    return nullptr;
  }
  std::string Value(const std::string& section, const std::string& key) const {
    const Section* s = Find(section);
    if (!s) return {};
    for (const auto& [k, v] : s->entries)
      if (k == key) return v;
    return {};
  }
};

// Reads a built-in language file with the format's rules (comments, sections, key=value).
LanguageFile ReadLanguage(const std::string& relative) {
  LanguageFile file;
  file.bytes = ReadFile(relative);
  std::string text = file.bytes;
  if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);
  file.lines = SplitLines(text);
  for (const std::string& line : file.lines) {
    if (line.empty() || line[0] == '#') continue;
    if (line[0] == '[') {
      file.sections.push_back({line.substr(1, line.size() - 2), {}});
      continue;
    }
    const std::size_t eq = line.find('=', 1);
    if (eq == std::string::npos || file.sections.empty()) continue;
    file.sections.back().entries.emplace_back(line.substr(0, eq), line.substr(eq + 1));
  }
  return file;
}

std::vector<std::string> Keys(const Section& s) {
  std::vector<std::string> keys;
  for (const auto& entry : s.entries) keys.push_back(entry.first);
  return keys;
}

// The printf conversions of a text, in order ("%s", "%i", ...), so that a translation cannot
// hand the caller's arguments to the wrong conversion.
std::string Conversions(const std::string& value) {
  std::string found;
  for (std::size_t i = 0; i + 1 < value.size(); ++i) {
    if (value[i] != '%') continue;
    std::size_t j = i + 1;
    while (j < value.size() && std::string("0123456789.-+ #").find(value[j]) != std::string::npos) ++j;
    if (j < value.size()) found += value.substr(i, j - i + 1) + ",";
    i = j;
  }
  return found;
}

const std::vector<std::pair<std::string, std::vector<std::string>>> kDialogSections = {
    {"IDD_AUDIO_SETTINGS",
     {"ID_CAPTION", "IDC_TXT_LAUTSTAERKE", "IDC_TXT_BALANCE", "IDC_BUTTON_RESET", "IDC_BUTTON_OK",
      "IDC_BUTTON_ABBRECHEN"}},
    {"IDD_SETTINGS_DIALOG", {"ID_CAPTION", "IDC_BUTTON_OK", "IDC_BUTTON_ABBRECHEN"}},
    {"IDD_SETTINGS_GENERAL",
     {"IDC_GENERAL_INSTANCE", "IDC_GENERAL_POWER", "IDC_GENERAL_TITLE_PROCESSPRIORITY",
      "IDC_GENERAL_TITLE_SNAPSHOTDIR", "IDC_GENERAL_TITLE_SNAPSHOTFILETYPE", "IDC_GENERAL_TITLE_TOOLBARPOS",
      "IDC_GENERAL_KEEP_WINDOW_SIZE", "IDC_GENERAL_KEEP_WINDOW_POS", "IDC_GENERAL_CENTER_WINDOW",
      "IDC_GENERAL_TITLE_DEVICE_DISPLAY_STARTUP"}},
    {"IDD_SETTINGS_VIDEO",
     {"IDC_VIDEO_TITLE_DISPLAYSETTINGS", "IDC_VIDEO_TITLE_DISPLAYDEVICE", "IDC_VIDEO_TITLE_VIDEO_RENDERER"}},
    {"IDD_SETTINGS_PLAYBACK",
     {"IDC_PLAYBACK_FULLSCREEN", "IDC_PLAYBACK_AUTOSTARTVIDEO", "IDC_PLAYBACK_JUMPTOLASTPOS",
      "IDC_PLAYBACK_TITLE_PLAYDELAY", "IDC_PLAYBACK_SECONDS", "IDC_PLAYBACK_JUMPING_RANGE",
      "IDC_PLAYBACK_JUMPING_RANGE_SECONDS"}},
    {"IDD_SETTINGS_DVD", {"IDC_DVD_ENABLE_SUBTITLES_BY_DEFAULT"}},
    {"IDD_SETTINGS_FILEASSOCS", {"IDC_BUTTON_STANDARD_SETTINGS"}},
    {"IDD_PLAYBACKDELAY", {"ID_CAPTION", "IDC_TXT_PLAYBACK_IN", "IDC_BUTTON_ABBRECHEN"}},
    {"IDD_UPDATE_DIALOG", {"ID_CAPTION", "IDC_TXT_STATUS", "IDC_TXT_HISTORY", "IDC_BUTTON_ABBRECHEN"}},
    {"IDD_SHUTDOWN", {"ID_CAPTION", "IDC_TXT_AUTOSHUTDOWN", "IDC_BUTTON_ABBRECHEN"}},
    {"IDD_CODEC_DIALOG",
     {"IDC_TXT_FILTER", "IDC_BUTTON_EIGENSCHAFTEN", "IDC_TXT_INFO", "IDC_TXT_DURATION",
      "IDC_BUTTON_SCHLIESSEN"}},
    {"IDD_PLAYLIST_DIALOG",
     {"ID_CAPTION", "IDC_DELETEALL", "IDC_DELETE", "IDC_BUTTON_SPEICHERN", "IDC_BUTTON_SPEICHERNUNTER",
      "IDC_ADD", "IDC_BUTTON_OPEN"}},
};

const std::vector<std::string> kToolBarKeys = {
    "PrevTrackChapter", "NextTrackChapter", "FastRewind", "Play",       "Pause",      "FastForward",
    "Open",             "Vollbild",         "Stop",       "Loop",       "NoLoop",     "PreviousFrame",
    "NextFrame",        "NoShutdown",       "NoMute",     "Mute",       "Clipping",   "NotOnTop",
    "JumpLastPosition", "OnTop",            "FillScreen", "Shutdown",   "Screenshot", "Quit",
    "RootMenu",         "Resume",           "Playlist"};

const char* const kLanguageFiles[] = {"res/lang/English.lng", "res/lang/German.lng"};

}  // namespace

TEST(ResourceHeader, NamesAndNumbersAreUnique) {
  const std::vector<Define> defines = ReadDefines();
  ASSERT_GT(defines.size(), 250u);
  std::map<std::string, int> names;
  std::map<long, std::string> numbers;
  for (const Define& d : defines) {
    EXPECT_EQ(++names[d.name], 1) << "defined twice: " << d.name;
    // A dialog control's number is turned back into a name; two names per number would make
    // the later one win silently.
    const auto [it, inserted] = numbers.emplace(d.number, d.name);
    EXPECT_TRUE(inserted) << d.name << " and " << it->second << " share " << d.number;
  }
}

TEST(ResourceHeader, KeepsTheFixedNumbers) {
  const std::map<std::string, long> names = DefineMap();
  const std::vector<std::pair<std::string, long>> fixed = {
      {"IDR_MAINFRAME", 128},       {"IDR_MENU_MAIN", 129},       {"IDR_MENU_CONTEXT", 225},
      {"IDR_MAIN", 169},            {"IDR_RESOURCE_LZV", 240},    {"IDB_TOOLBARNORMAL", 220},
      {"IDB_TOOLBARHOVER", 222},    {"IDD_PLAYLIST_DIALOG", 159}, {"IDR_PLAYLIST_CURRENT", 349},
      {"ID_Slider", 101},           {"ID_VolumeSlider", 142},     {"IDTBB_MUTE", 2128},
      {"ID_Clock_Timer", 104},      {"ID_Shutdown_Timer", 114},   {"ID_Update_Timer", 116},
      {"ID_MouseMove_Timer", 143},  {"ID_Settings_Timer", 144},   {"ID_ImageButton_Timer", 100},
      {"ID_RECENT_CLEAR", 58000},   {"ID_RECENT_FILE5", 58005},   {"IDM_WIEDERGABE_STREAMS_SUBTITLE_OFF", 61999},
      {"ID_StatusBar", 59393},      {"IDR_LNG_GERMAN", 248},      {"IDR_LNG_ENGLISH", 250},
      {"IDR_LNG_FRANCAIS", 256},    {"IDR_LNG_ESPANOL", 258},     {"IDR_LNG_ITALIANO", 261},
      {"IDR_LNG_SLOVAK", 262},      {"IDR_LNG_GALEGO", 263},      {"IDR_LNG_RUSSIAN", 267},
      {"IDR_LNG_MAGYAR", 268},      {"IDR_LNG_HESSISCH", 276},    {"IDR_LNG_BAYERISCH", 277},
      {"IDR_LNG_NEDERLANDS", 280},  {"IDR_LNG_POLSKI", 286},      {"IDR_LNG_ELLENIKA", 303},
      {"IDR_LNG_PORTBR", 318},      {"IDR_LNG1", 323},            {"IDR_LNG_TURKISH", 324},
      {"IDR_LNG_BOSANSKI", 328},    {"IDR_LNG_HRVATSKI", 329},    {"IDR_LNG_SRPSKI", 330},
      {"IDR_LNG2", 331},            {"IDR_LNG_JAPANESE", 332}};
  for (const auto& [name, number] : fixed) {
    ASSERT_EQ(names.count(name), 1u) << name;
    EXPECT_EQ(names.at(name), number) << name;
  }
}

TEST(ResourceHeader, MenuCommandsStayOutOfTheRunTimeRanges) {
  // Recent media, filters, streams and drives use 58000 to 66999 at run time.
  for (const Define& d : ReadDefines()) {
    const bool command = d.name.rfind("IDM_", 0) == 0 || d.name.rfind("IDTBB_", 0) == 0;
    if (!command || d.name == "IDM_WIEDERGABE_STREAMS_SUBTITLE_OFF") continue;
    EXPECT_TRUE(d.number < 58000 || d.number > 66999) << d.name;
    EXPECT_GT(d.number, 0) << d.name;
  }
}

TEST(ResourceHeader, ShieldLineIsSeparatedByTabsOnly) {
  const std::vector<Define> defines = ReadDefines();
  const auto shield = std::find_if(defines.begin(), defines.end(),
                                   [](const Define& d) { return d.name == "IDR_SHIELD"; });
  ASSERT_NE(shield, defines.end());
  const std::string rest = shield->line.substr(std::string("#define ").size());
  EXPECT_EQ(rest.find(' '), std::string::npos) << rest;
  EXPECT_NE(rest.find('\t'), std::string::npos) << rest;
}

TEST(ResourceHeader, EndsWithTheToolGeneratedValues) {
  const std::vector<Define> defines = ReadDefines();
  ASSERT_GE(defines.size(), 4u);
  const std::vector<std::string> expected = {"_APS_NEXT_RESOURCE_VALUE", "_APS_NEXT_COMMAND_VALUE",
                                             "_APS_NEXT_CONTROL_VALUE", "_APS_NEXT_SYMED_VALUE"};
  for (std::size_t i = 0; i < expected.size(); ++i)
    EXPECT_EQ(defines[defines.size() - expected.size() + i].name, expected[i]);
}

TEST(ResourceHeader, IsPlainAsciiWithoutStrayDirectives) {
  const std::string header = ReadFile("res/resource.h");
  for (unsigned char c : header) EXPECT_LT(c, 0x80u);
  for (const std::string& line : SplitLines(header)) {
    if (line.empty() || line.rfind("//", 0) == 0 || line.rfind("#define ", 0) == 0) continue;
    EXPECT_TRUE(line == "#pragma once" || line == "#ifdef APSTUDIO_INVOKED" ||
                line == "#ifndef APSTUDIO_READONLY_SYMBOLS" || line == "#endif")
        << line;
  }
}

TEST(LanguageFiles, AreUtf8WithBomAndCrLf) {
  for (const char* path : kLanguageFiles) {
    const std::string bytes = ReadFile(path);
    ASSERT_GT(bytes.size(), 3u) << path;
    EXPECT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF") << path;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      if (bytes[i] == '\n') EXPECT_TRUE(i > 0 && bytes[i - 1] == '\r') << path << " offset " << i;
      if (bytes[i] == '\r') EXPECT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << path;
    }
  }
}

TEST(LanguageFiles, StartWithTheHeaderComment) {
  const std::pair<const char*, const char*> files[] = {{"res/lang/English.lng", "English"},
                                                       {"res/lang/German.lng", "Deutsch"}};
  for (const auto& [path, language] : files) {
    const LanguageFile file = ReadLanguage(path);
    ASSERT_GE(file.lines.size(), 4u);
    EXPECT_EQ(file.lines[0], "# Zentravue v1.3.0.0 Language File");
    EXPECT_EQ(file.lines[1], "#");
    EXPECT_EQ(file.lines[2], std::string("# Language: ") + language);
    EXPECT_GT(file.lines[3].size(), 1u);
    EXPECT_EQ(file.lines[3].find_first_not_of('#'), std::string::npos);
    EXPECT_EQ(file.Value("File", "Language"), language);
    EXPECT_FALSE(file.Value("File", "Creator").empty());
    EXPECT_FALSE(file.Value("File", "Version").empty());
  }
}

TEST(LanguageFiles, HaveTheSectionsInOrder) {
  std::vector<std::string> expected = {"File", "MainMenu"};
  for (const auto& dialog : kDialogSections) expected.push_back(dialog.first);
  expected.push_back("ToolBar");
  expected.push_back("Code");
  for (const char* path : kLanguageFiles) {
    const LanguageFile file = ReadLanguage(path);
    std::vector<std::string> names;
    for (const Section& s : file.sections) names.push_back(s.name);
    EXPECT_EQ(names, expected) << path;
  }
}

TEST(LanguageFiles, DialogAndToolBarSectionsHaveTheirKeys) {
  for (const char* path : kLanguageFiles) {
    const LanguageFile file = ReadLanguage(path);
    for (const auto& [section, keys] : kDialogSections) {
      const Section* s = file.Find(section);
      ASSERT_NE(s, nullptr) << path << " " << section;
      EXPECT_EQ(Keys(*s), keys) << path << " " << section;
    }
    const Section* toolbar = file.Find("ToolBar");
    ASSERT_NE(toolbar, nullptr);
    EXPECT_EQ(Keys(*toolbar), kToolBarKeys) << path;
  }
}

TEST(LanguageFiles, CountMainMenuAndCodeKeys) {
  for (const char* path : kLanguageFiles) {
    const LanguageFile file = ReadLanguage(path);
    const Section* menu = file.Find("MainMenu");
    const Section* code = file.Find("Code");
    ASSERT_NE(menu, nullptr);
    ASSERT_NE(code, nullptr);
    // The streaming command's item comes after the original keys.
    EXPECT_EQ(menu->entries.size(), 98u) << path;
    // The 66 messages of the first version, then the update's, the player's
    // error reasons and About texts, and the network streams' reasons.
    EXPECT_EQ(code->entries.size(), 88u) << path;
    EXPECT_EQ(menu->entries.front().first, "IDM_DATEI");
    EXPECT_EQ(menu->entries.back().first, "IDM_FILE_STREAMING");
    EXPECT_EQ(code->entries.front().first, "CONNECT_ZV");
    EXPECT_EQ(code->entries.back().first, "STREAM_CERTIFICATE");
  }
}

TEST(LanguageFiles, EnglishAndGermanShareEveryKeyAndPlaceholder) {
  const LanguageFile english = ReadLanguage("res/lang/English.lng");
  const LanguageFile german = ReadLanguage("res/lang/German.lng");
  ASSERT_EQ(english.sections.size(), german.sections.size());
  for (std::size_t i = 0; i < english.sections.size(); ++i) {
    const Section& en = english.sections[i];
    const Section& de = german.sections[i];
    ASSERT_EQ(Keys(en), Keys(de)) << en.name;
    for (std::size_t k = 0; k < en.entries.size(); ++k) {
      EXPECT_FALSE(de.entries[k].second.empty()) << en.name << " " << en.entries[k].first;
      EXPECT_EQ(Conversions(en.entries[k].second), Conversions(de.entries[k].second))
          << en.name << " " << en.entries[k].first;
    }
  }
}

TEST(LanguageFiles, EveryMenuDialogAndControlKeyIsInTheNameTable) {
  const std::map<std::string, long> names = DefineMap();
  for (const char* path : kLanguageFiles) {
    const LanguageFile file = ReadLanguage(path);
    for (const Section& s : file.sections) {
      const bool dialog = s.name.rfind("IDD_", 0) == 0;
      if (dialog) EXPECT_EQ(names.count(s.name), 1u) << s.name;
      if (!dialog && s.name != "MainMenu") continue;
      for (const auto& entry : s.entries) EXPECT_EQ(names.count(entry.first), 1u) << s.name << " " << entry.first;
    }
  }
}

TEST(LanguageFiles, EnglishKeepsTheFixedTexts) {
  const LanguageFile english = ReadLanguage("res/lang/English.lng");
  EXPECT_EQ(english.Value("MainMenu", "IDM_DATEI_OEFFNEN"), "&Open...\\tINS");
  EXPECT_EQ(english.Value("MainMenu", "IDM_WIEDERGABE_WIEDERGABE_PAUSE"), "&Play/Pause\\tSPACE, NUM5, M3");
  EXPECT_EQ(english.Value("MainMenu", "IDM_ANSICHT_VOLLBILD"), "&Fullscreen\\tV, M1");
  EXPECT_EQ(english.Value("Code", "SECONDS"), "Seconds");
  EXPECT_EQ(english.Value("Code", "ERROR2"), "Error");
  EXPECT_EQ(english.Value("Code", "NODISKFOUND"), "No disk in drive");
  EXPECT_EQ(english.Value("Code", "DELLIST"), "Delete list");
  EXPECT_EQ(english.Value("Code", "STATUS_ZV_UP2DATE"), "Your Zentra-Vue version is up to date!");
  EXPECT_EQ(english.Value("Code", "ERROROPENING"), "Can't open file \"%s\"\\nReason: %s");
  EXPECT_EQ(english.Value("IDD_SHUTDOWN", "IDC_TXT_AUTOSHUTDOWN"), "Automatic Shutdown In...");
  EXPECT_EQ(english.Value("ToolBar", "NotOnTop"), "\"Always On Top\" Off");
}

TEST(Menus, UseOnlyDefinedIdsAndCoverEveryMenuKey) {
  const std::map<std::string, long> names = DefineMap();
  const std::string menus = ReadFile("res/Menus.rc");
  std::set<std::string> used;
  for (std::size_t at = menus.find("ID"); at != std::string::npos; at = menus.find("ID", at + 1)) {
    if (at > 0 && (std::isalnum(static_cast<unsigned char>(menus[at - 1])) || menus[at - 1] == '_')) continue;
    std::size_t end = at;
    while (end < menus.size() && (std::isalnum(static_cast<unsigned char>(menus[end])) || menus[end] == '_')) ++end;
    const std::string word = menus.substr(at, end - at);
    if (word.find('_') != std::string::npos) used.insert(word);
  }
  for (const std::string& word : used) EXPECT_EQ(names.count(word), 1u) << word;
  const LanguageFile english = ReadLanguage("res/lang/English.lng");
  for (const auto& entry : english.Find("MainMenu")->entries)
    EXPECT_EQ(used.count(entry.first), 1u) << "not in Menus.rc: " << entry.first;
}

TEST(LanguageResources, BuiltInLanguagesAreDeclaredUnderTheirNames) {
  const std::string languages = ReadFile("res/Languages.rc");
  EXPECT_NE(languages.find("IDR_LNG_GERMAN     LNG \"lang/German.lng\""), std::string::npos);
  EXPECT_NE(languages.find("IDR_LNG_ENGLISH    LNG \"lang/English.lng\""), std::string::npos);
}

TEST(ResourceHeader, CommentsEndInNoNumber) {
  // The name table takes the number after the last blank of every line, comments included.
  for (const std::string& line : SplitLines(ReadFile("res/resource.h"))) {
    if (line.rfind("//", 0) != 0 || line.empty()) continue;
    EXPECT_FALSE(std::isdigit(static_cast<unsigned char>(line.back()))) << line;
  }
}
