#include "app/Settings.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "MemoryRegistry.h"

namespace {

const std::u16string kRoot = zv::ProductKeyPath(u"");
const std::u16string kSettingsKey = kRoot + u"\\Settings";
const std::u16string kAssocKey = kRoot + u"\\FileAssociations";

std::vector<std::pair<std::u16string, int>> TypesOf(const CSettings& settings) {
  std::vector<std::pair<std::u16string, int>> types;
  for (CFileAssocs* node = settings.FileTypes.Head(); node; node = node->Next)
    types.emplace_back(node->Extension, node->Flags);
  return types;
}

int FlagsOf(const CSettings& settings, const std::u16string& extension) {
  CFileAssocs* node = settings.FileTypes.Find(extension);
  return node ? node->Flags : -1;
}

std::optional<uint32_t> StoredDword(const MemoryRegistry& registry, const std::u16string& key,
                                    const std::u16string& name) {
  const zv::RegValue* value = registry.Get(key, name);
  return value ? zv::DecodeDword(*value) : std::nullopt;
}

std::optional<std::u16string> StoredString(const MemoryRegistry& registry, const std::u16string& key,
                                           const std::u16string& name) {
  const zv::RegValue* value = registry.Get(key, name);
  return value ? zv::DecodeString(*value) : std::nullopt;
}

zv::RegValue RawString(const std::u16string& text, bool terminator = true) {
  zv::RegValue value = zv::EncodeString(text);
  if (!terminator) value.data.resize(value.data.size() - 2);
  return value;
}

}  // namespace

TEST(Settings, DefaultsWithoutSettingsKey) {
  MemoryRegistry registry;
  {
    CSettings settings(1, &registry);
    EXPECT_EQ(settings.Volume, 0);
    EXPECT_EQ(settings.Balance, 0);
    EXPECT_EQ(settings.TitleBar, 1);
    EXPECT_EQ(settings.AspectRatio, 1);
    EXPECT_EQ(settings.PlaybackDelay, 5);
    EXPECT_EQ(settings.JumpingRange, 10);
    EXPECT_EQ(settings.ProcessPriority, 1);
    EXPECT_EQ(settings.WindowWidth, -1);
    EXPECT_EQ(settings.WindowPosY, -1);
    EXPECT_EQ(settings.LanguageType, -1);
    EXPECT_EQ(settings.ScreenshotFileType, u"jpg");
    EXPECT_EQ(settings.DisplaySettings, u"Current");
    EXPECT_EQ(settings.VideoRenderer, u"Current");
    EXPECT_EQ(settings.ScreenshotDirectory, u"");  // only checked when the key exists
    EXPECT_EQ(settings.PlaylistWindowRect.left, 0);
    EXPECT_EQ(settings.PlaylistWindowRect.bottom, 0);
    EXPECT_EQ(settings.DisplayWidth, 0);
    // The first start registers the default associations at once.
    EXPECT_EQ(registry.applyCount, 1);
    ASSERT_FALSE(registry.appliedTypes.empty());
    EXPECT_EQ(registry.appliedTypes.front(), std::make_pair(std::u16string(u"zvp"), 9));
    int associated = 0;
    for (const auto& type : registry.appliedTypes) associated += type.second & 1;
    EXPECT_EQ(associated, 1);
  }
  // Destruction saved everything.
  EXPECT_EQ(StoredDword(registry, kSettingsKey, u"Volume"), 10000u);
  EXPECT_EQ(StoredDword(registry, kSettingsKey, u"WindowWidth"), 0xFFFFFFFFu);
  EXPECT_EQ(StoredString(registry, kSettingsKey, u"ScreenshotFileType"), u"jpg");
  EXPECT_FALSE(registry.Get(kSettingsKey, u"LanguageType"));
  EXPECT_FALSE(registry.Get(kSettingsKey, u"DisplayWidth"));
  EXPECT_FALSE(registry.Get(kSettingsKey, u"GeneralChanged"));
}

TEST(Settings, DefaultFileTypeTableHasTheOwnPlaylistTypeAtTheHead) {
  CSettings settings(0);
  EXPECT_EQ(settings.FileTypes.Head(), nullptr);  // a working copy starts empty
  settings.ResetFileTypes();
  auto types = TypesOf(settings);
  ASSERT_EQ(types.size(), 5u + 9u + 16u + 3u + 1u);
  EXPECT_EQ(types.front(), std::make_pair(std::u16string(u"zvp"), 9));
  EXPECT_EQ(types[1], std::make_pair(std::u16string(u"pls"), 8));
  EXPECT_EQ(types.back(), std::make_pair(std::u16string(u"ogm"), 6));
  EXPECT_EQ(FlagsOf(settings, u"mkv"), 2);
  EXPECT_EQ(FlagsOf(settings, u"midi"), 4);
  EXPECT_EQ(FlagsOf(settings, u"mpeg"), 6);
  int associated = 0;
  for (const auto& type : types) associated += type.second & 1;
  EXPECT_EQ(associated, 1);

  settings.ResetFileTypes(true);
  EXPECT_EQ(FlagsOf(settings, u"zvp"), 8);
}

TEST(Settings, VolumeAndBalanceAreStoredWithOffset) {
  MemoryRegistry registry;
  registry.Put(kSettingsKey, u"Volume", zv::EncodeDword(10000));
  registry.Put(kSettingsKey, u"Balance", zv::EncodeDword(0));
  {
    CSettings settings(1, &registry);
    EXPECT_EQ(settings.Volume, 0);
    EXPECT_EQ(settings.Balance, -10000);
    settings.Volume = -2500;
    settings.Balance = 300;
  }
  EXPECT_EQ(StoredDword(registry, kSettingsKey, u"Volume"), 7500u);
  EXPECT_EQ(StoredDword(registry, kSettingsKey, u"Balance"), 10300u);

  registry.Put(kSettingsKey, u"Volume", zv::EncodeDword(0));
  CSettings silent(1, &registry);
  EXPECT_EQ(silent.Volume, -10000);
}

TEST(Settings, ValuesOfTheWrongShapeKeepTheDefaults) {
  MemoryRegistry registry;
  registry.Put(kSettingsKey, u"TitleBar", RawString(u"0"));          // string for a DWORD
  registry.Put(kSettingsKey, u"MenuBar", zv::RegValue{zv::RegType::Dword, {0, 0}});  // short
  registry.Put(kSettingsKey, u"ToolBar", zv::RegValue{zv::RegType::Binary, {0, 0, 0, 0}});
  registry.Put(kSettingsKey, u"VideoRenderer", zv::EncodeDword(1));  // DWORD for a string
  zv::RegValue odd = RawString(u"Foo");
  odd.data.push_back(0);
  registry.Put(kSettingsKey, u"DisplayDevice", odd);                   // odd byte length
  registry.Put(kSettingsKey, u"DisplayDeviceStartup", RawString(u"DISPLAY2", false));
  registry.Put(kSettingsKey, u"PlaylistDirTree", RawString(std::u16string(260, u'a')));
  registry.Put(kSettingsKey, u"ScreenshotFileType", RawString(u"JPG"));
  CSettings settings(1, &registry);
  EXPECT_EQ(settings.TitleBar, 1);
  EXPECT_EQ(settings.MenuBar, 1);
  EXPECT_EQ(settings.ToolBar, 1);
  EXPECT_EQ(settings.VideoRenderer, u"Current");
  EXPECT_EQ(settings.DisplayDevice, u"Current");
  EXPECT_EQ(settings.DisplayDeviceStartup, u"Current");
  EXPECT_EQ(settings.PlaylistDirTree, u"");
  EXPECT_EQ(settings.ScreenshotFileType, u"jpg");
  settings.Persistent = 0;  // keep the arranged values for inspection
}

TEST(Settings, StringsUpTo259CharactersAndExpandableStringsAreRead) {
  MemoryRegistry registry;
  registry.Put(kSettingsKey, u"PlaylistDirTree", RawString(std::u16string(259, u'd')));
  zv::RegValue expandable = RawString(u"%USERPROFILE%\\Videos");
  expandable.type = zv::RegType::ExpandSz;
  registry.Put(kSettingsKey, u"DisplayDevice", expandable);
  registry.Put(kSettingsKey, u"ScreenshotFileType", RawString(u"bmp"));
  CSettings settings(1, &registry);
  EXPECT_EQ(settings.PlaylistDirTree, std::u16string(259, u'd'));
  EXPECT_EQ(settings.DisplayDevice, u"%USERPROFILE%\\Videos");
  EXPECT_EQ(settings.ScreenshotFileType, u"bmp");
  settings.Persistent = 0;
}

TEST(Settings, ScreenshotDirectoryFallsBackToProgramThenTempFolder) {
  MemoryRegistry registry;
  registry.Put(kSettingsKey, u"ScreenshotDirectory", RawString(u"D:\\Gone"));
  registry.directories = {u"C:\\Program\\"};
  {
    CSettings settings(1, &registry);
    EXPECT_EQ(settings.ScreenshotDirectory, u"C:\\Program\\");
    settings.Persistent = 0;
  }
  registry.directories = {u"D:\\Shots"};
  registry.Put(kSettingsKey, u"ScreenshotDirectory", RawString(u"D:\\Shots"));
  {
    CSettings settings(1, &registry);
    EXPECT_EQ(settings.ScreenshotDirectory, u"D:\\Shots");
    settings.Persistent = 0;
  }
  registry.directories.clear();
  CSettings settings(1, &registry);
  EXPECT_EQ(settings.ScreenshotDirectory, u"C:\\Temp\\");
  settings.Persistent = 0;
}

TEST(Settings, PlaylistWindowIsStoredAsPositionAndSize) {
  MemoryRegistry registry;
  registry.Put(kSettingsKey, u"PlaylistWindowX", zv::EncodeDword(100));
  registry.Put(kSettingsKey, u"PlaylistWindowY", zv::EncodeDword(50));
  registry.Put(kSettingsKey, u"PlaylistWindowWidth", zv::EncodeDword(300));
  registry.Put(kSettingsKey, u"PlaylistWindowHeight", RawString(u"400"));  // wrong type: 0
  {
    CSettings settings(1, &registry);
    EXPECT_EQ(settings.PlaylistWindowRect.left, 100);
    EXPECT_EQ(settings.PlaylistWindowRect.top, 50);
    EXPECT_EQ(settings.PlaylistWindowRect.right, 400);
    EXPECT_EQ(settings.PlaylistWindowRect.bottom, 50);
    settings.PlaylistWindowRect = {-10, 20, 290, 520};
  }
  EXPECT_EQ(StoredDword(registry, kSettingsKey, u"PlaylistWindowX"), 0xFFFFFFF6u);
  EXPECT_EQ(StoredDword(registry, kSettingsKey, u"PlaylistWindowY"), 20u);
  EXPECT_EQ(StoredDword(registry, kSettingsKey, u"PlaylistWindowWidth"), 300u);
  EXPECT_EQ(StoredDword(registry, kSettingsKey, u"PlaylistWindowHeight"), 500u);
}

TEST(Settings, DisplaySettingsNeedBlanksAroundTheX) {
  CSettings settings(0);
  settings.DisplaySettings = u"1280 x 1024";
  settings.ParseDisplaySettings();
  EXPECT_EQ(settings.DisplayWidth, 1280);
  EXPECT_EQ(settings.DisplayHeight, 1024);
  EXPECT_EQ(settings.DisplaySettings, u"1280 x 1024");

  settings.DisplaySettings = u"1280x1024";
  settings.ParseDisplaySettings();
  EXPECT_EQ(settings.DisplayWidth, 0);
  EXPECT_EQ(settings.DisplayHeight, 0);
  EXPECT_EQ(settings.DisplaySettings, u"Current");

  settings.DisplaySettings = u"Nicht \u00e4ndern";
  settings.ParseDisplaySettings();
  EXPECT_EQ(settings.DisplaySettings, u"Current");

  settings.DisplaySettings = u"wide x 768Hz";
  settings.ParseDisplaySettings();
  EXPECT_EQ(settings.DisplayWidth, 0);
  EXPECT_EQ(settings.DisplayHeight, 768);
}

TEST(Settings, DisplaySettingsAreParsedOnLoad) {
  MemoryRegistry registry;
  registry.Put(kSettingsKey, u"DisplaySettings", RawString(u"800 x 600"));
  CSettings settings(1, &registry);
  EXPECT_EQ(settings.DisplayWidth, 800);
  EXPECT_EQ(settings.DisplayHeight, 600);
  settings.Persistent = 0;
}

TEST(Settings, StoredFileTypesReplaceTheDefaultTable) {
  MemoryRegistry registry;
  registry.Put(kAssocKey, u"mkv", zv::EncodeDword(3));
  registry.Put(kAssocKey, u"mp3", zv::EncodeDword(0x104));  // only the low byte counts
  CSettings settings(1, &registry);
  auto types = TypesOf(settings);
  ASSERT_EQ(types.size(), 2u);
  EXPECT_EQ(FlagsOf(settings, u"mkv"), 3);
  EXPECT_EQ(FlagsOf(settings, u"mp3"), 4);
  EXPECT_EQ(registry.applyCount, 0);
  settings.Persistent = 0;
}

TEST(Settings, SaveRewritesTheFileAssociationsKey) {
  MemoryRegistry registry;
  registry.Put(kAssocKey, u"mkv", zv::EncodeDword(3));
  registry.Put(kAssocKey, u"mp3", zv::EncodeDword(4));
  registry.Put(kAssocKey + u"\\Stale", u"x", zv::EncodeDword(1));
  {
    CSettings settings(1, &registry);
    settings.RemoveFileTypeFlags(settings.FileTypes.Find(u"mp3"), 4);
    settings.AddFileType(u"ogg", 5);
  }
  const MemoryRegistry::Values* values = registry.ValuesOf(kAssocKey);
  ASSERT_NE(values, nullptr);
  ASSERT_EQ(values->size(), 2u);
  EXPECT_EQ(StoredDword(registry, kAssocKey, u"mkv"), 3u);
  EXPECT_EQ(StoredDword(registry, kAssocKey, u"ogg"), 5u);
  EXPECT_FALSE(registry.Get(kAssocKey, u"mp3"));
  EXPECT_FALSE(registry.HasKey(kAssocKey + u"\\Stale"));
}

TEST(Settings, LanguageIsSavedOnlyWhenChosen) {
  MemoryRegistry registry;
  registry.Put(kSettingsKey, u"LanguageType", zv::EncodeDword(1));
  registry.Put(kSettingsKey, u"LanguageFile", RawString(u"Mine.lng"));
  {
    CSettings settings(1, &registry);
    EXPECT_EQ(settings.LanguageType, -1);  // read at start-up by the application, not here
    settings.LanguageResource = u"IDR_LNG_GERMAN";
  }
  EXPECT_EQ(StoredDword(registry, kSettingsKey, u"LanguageType"), 1u);
  EXPECT_EQ(StoredString(registry, kSettingsKey, u"LanguageFile"), u"Mine.lng");
  EXPECT_FALSE(registry.Get(kSettingsKey, u"LanguageResource"));

  {
    CSettings settings(1, &registry);
    settings.LanguageType = 0;
    settings.LanguageResource = u"IDR_LNG_ENGLISH";
    settings.LanguageFile = u"Other.lng";
  }
  EXPECT_EQ(StoredDword(registry, kSettingsKey, u"LanguageType"), 0u);
  EXPECT_EQ(StoredString(registry, kSettingsKey, u"LanguageResource"), u"IDR_LNG_ENGLISH");
  EXPECT_EQ(StoredString(registry, kSettingsKey, u"LanguageFile"), u"Mine.lng");
}

TEST(Settings, WorkingCopyNeverTouchesTheRegistry) {
  MemoryRegistry registry;
  {
    CSettings copy(0, &registry);
    copy.Volume = -500;
    copy.Save();
  }
  EXPECT_FALSE(registry.HasKey(kSettingsKey));
  EXPECT_EQ(registry.applyCount, 0);
}

TEST(Settings, FailedKeyCreationIsSilent) {
  MemoryRegistry registry;
  registry.failCreate = true;
  {
    CSettings settings(1, &registry);
    settings.Volume = -100;
  }
  EXPECT_FALSE(registry.HasKey(kSettingsKey));
}

TEST(Settings, AssignmentCopiesEverythingButPersistent) {
  CSettings global(0);
  global.Persistent = 1;  // stands for the global object; no host, so it never saves
  global.Volume = -301;
  global.ScreenshotDirectory = u"D:\\Shots";
  global.PlaylistWindowRect = {1, 2, 3, 4};
  global.VideoChanged = 1;
  int window = 0;
  global.OwnerWindow = &window;
  global.ResetFileTypes();

  CSettings copy(0);
  copy.AddFileType(u"old", 2);
  copy = global;
  EXPECT_EQ(copy.Persistent, 0);
  EXPECT_EQ(copy.Volume, -301);
  EXPECT_EQ(copy.ScreenshotDirectory, u"D:\\Shots");
  EXPECT_EQ(copy.PlaylistWindowRect.bottom, 4);
  EXPECT_EQ(copy.VideoChanged, 1);
  EXPECT_EQ(copy.OwnerWindow, &window);
  EXPECT_EQ(TypesOf(copy), TypesOf(global));
  EXPECT_NE(copy.FileTypes.Head(), global.FileTypes.Head());  // own nodes

  copy.SetCategoryAssociated(2, true);
  EXPECT_EQ(FlagsOf(global, u"mkv"), 2);
  const CSettings& same = global;
  global = same;
  EXPECT_EQ(TypesOf(global).size(), 34u);
}

TEST(Settings, ResetChangeFlagsClearsAllSix) {
  CSettings settings(0);
  settings.GeneralChanged = settings.DvdChanged = settings.PlaybackChanged = 1;
  settings.LanguageChanged = settings.FileAssociationsChanged = settings.VideoChanged = 1;
  settings.ResetChangeFlags();
  EXPECT_EQ(settings.GeneralChanged + settings.DvdChanged + settings.PlaybackChanged +
                settings.LanguageChanged + settings.FileAssociationsChanged + settings.VideoChanged,
            0);
}

TEST(FileTypes, AddMergesExactExtensionsOnly) {
  CSettings settings(0);
  settings.AddFileType(u"mkv", 2);
  settings.AddFileType(u"mkv", 1);
  settings.AddFileType(u"MKV", 4);
  auto types = TypesOf(settings);
  ASSERT_EQ(types.size(), 2u);
  EXPECT_EQ(types[0], std::make_pair(std::u16string(u"MKV"), 4));
  EXPECT_EQ(types[1], std::make_pair(std::u16string(u"mkv"), 3));
}

TEST(FileTypes, SetCategoryAssociatedTouchesOnlyTypesOfTheCategory) {
  CSettings settings(0);
  settings.ResetFileTypes();
  settings.SetCategoryAssociated(2 | 4 | 8, true);
  settings.SetCategoryAssociated(4, false);
  EXPECT_EQ(FlagsOf(settings, u"mp3"), 4);
  EXPECT_EQ(FlagsOf(settings, u"mpeg"), 6);
  EXPECT_EQ(FlagsOf(settings, u"avi"), 3);
  EXPECT_EQ(FlagsOf(settings, u"zvp"), 9);
}

TEST(FileTypes, RemoveFlagsDeletesWhenAtMostTheAssociationBitRemains) {
  CSettings settings(0);
  settings.AddFileType(u"a", 3);
  settings.AddFileType(u"b", 7);
  settings.AddFileType(u"c", 4);
  settings.RemoveFileTypeFlags(settings.FileTypes.Find(u"a"), 2);
  EXPECT_EQ(settings.FileTypes.Find(u"a"), nullptr);
  settings.RemoveFileTypeFlags(settings.FileTypes.Find(u"b"), 2);
  EXPECT_EQ(FlagsOf(settings, u"b"), 5);
  // Removing the head moves the head on.
  ASSERT_EQ(settings.FileTypes.Head()->Extension, u"c");
  settings.RemoveFileTypeFlags(settings.FileTypes.Head(), 4);
  ASSERT_NE(settings.FileTypes.Head(), nullptr);
  EXPECT_EQ(settings.FileTypes.Head()->Extension, u"b");
  EXPECT_EQ(settings.FileTypes.Head()->Prev, nullptr);
  EXPECT_EQ(settings.FileTypes.Count(), 1u);
}

TEST(FileTypes, RemovingACategoryTheTypeDoesNotHaveLeavesItAlone) {
  CSettings settings(0);
  settings.AddFileType(u"mp3", 5);
  settings.RemoveFileTypeFlags(settings.FileTypes.Find(u"mp3"), 2);
  EXPECT_EQ(FlagsOf(settings, u"mp3"), 5);
}

TEST(SettingsPriority, IndexSelectsPriorityClass) {
  EXPECT_EQ(zv::PriorityClassOfIndex(0), 0x40u);
  EXPECT_EQ(zv::PriorityClassOfIndex(1), 0x20u);
  EXPECT_EQ(zv::PriorityClassOfIndex(3), 0x100u);
  EXPECT_EQ(zv::PriorityClassOfIndex(5), 0x4000u);
  EXPECT_EQ(zv::PriorityClassOfIndex(6), 0u);
  EXPECT_EQ(zv::PriorityClassOfIndex(-1), 0u);
  EXPECT_EQ(std::u16string(zv::PriorityTextKeyOfIndex(4)), u"ABOVE_NORMAL");
}

TEST(RegistryValues, StringDecodingStopsAtTheFirstTerminator) {
  zv::RegValue value = RawString(std::u16string(u"ab\0cd", 5));
  EXPECT_EQ(zv::DecodeString(value), u"ab");
  EXPECT_FALSE(zv::DecodeString(zv::RegValue{zv::RegType::Sz, {}}));
  EXPECT_EQ(zv::DecodeString(zv::RegValue{zv::RegType::Sz, {0, 0}}), u"");
}
