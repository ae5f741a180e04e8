#include "app/Settings.h"

#include <iterator>
#include <memory>
#include <utility>

#include "app/TextUtil.h"

namespace {

enum class Storage {
  Registry,   // read by Load, written by Save
  Language,   // written by Save under the language rule, read at start-up
  NotStored,  // lives only in memory
};

struct IntField {
  const char16_t* name;
  int CSettings::*member;
  int defaultValue;
  Storage storage;
  uint32_t storedOffset;  // added when saving, subtracted when loading
};

struct StringField {
  const char16_t* name;
  std::u16string CSettings::*member;
  const char16_t* defaultValue;
  Storage storage;
  bool (*accepts)(const std::u16string&);  // none: any text
};

bool IsScreenshotFileType(const std::u16string& text) { return text == u"jpg" || text == u"bmp"; }

// Every number field with its registry value name and default.
const IntField kIntFields[] = {
    {u"PlaylistShuffle", &CSettings::PlaylistShuffle, 0, Storage::Registry, 0},
    {u"Balance", &CSettings::Balance, 0, Storage::Registry, 10000},
    {u"Volume", &CSettings::Volume, 0, Storage::Registry, 10000},
    {u"TitleBar", &CSettings::TitleBar, 1, Storage::Registry, 0},
    {u"MenuBar", &CSettings::MenuBar, 1, Storage::Registry, 0},
    {u"ToolBar", &CSettings::ToolBar, 1, Storage::Registry, 0},
    {u"PositionBar", &CSettings::PositionBar, 1, Storage::Registry, 0},
    {u"StatusBar", &CSettings::StatusBar, 1, Storage::Registry, 0},
    {u"CompactView", &CSettings::CompactView, 0, Storage::Registry, 0},
    {u"AlwaysOnTop", &CSettings::AlwaysOnTop, 0, Storage::Registry, 0},
    {u"AspectRatio", &CSettings::AspectRatio, 1, Storage::Registry, 0},
    {u"StartMediaAutomatically", &CSettings::StartMediaAutomatically, 1, Storage::Registry, 0},
    {u"StartFullscreen", &CSettings::StartFullscreen, 0, Storage::Registry, 0},
    {u"JumpToLastPosition", &CSettings::JumpToLastPosition, 0, Storage::Registry, 0},
    {u"PlaybackDelay", &CSettings::PlaybackDelay, 5, Storage::Registry, 0},
    {u"JumpingRange", &CSettings::JumpingRange, 10, Storage::Registry, 0},
    {u"SingleInstanceMode", &CSettings::SingleInstanceMode, 1, Storage::Registry, 0},
    {u"DeactivatePowerManagement", &CSettings::DeactivatePowerManagement, 1, Storage::Registry, 0},
    {u"ToolBarPos", &CSettings::ToolBarPos, 0, Storage::Registry, 0},
    {u"ProcessPriority", &CSettings::ProcessPriority, 1, Storage::Registry, 0},
    {u"KeepWindowSize", &CSettings::KeepWindowSize, 1, Storage::Registry, 0},
    {u"KeepWindowPos", &CSettings::KeepWindowPos, 1, Storage::Registry, 0},
    {u"CenterWindow", &CSettings::CenterWindow, 0, Storage::Registry, 0},
    {u"WindowWidth", &CSettings::WindowWidth, -1, Storage::Registry, 0},
    {u"WindowHeight", &CSettings::WindowHeight, -1, Storage::Registry, 0},
    {u"WindowPosX", &CSettings::WindowPosX, -1, Storage::Registry, 0},
    {u"WindowPosY", &CSettings::WindowPosY, -1, Storage::Registry, 0},
    {u"DisplayWidth", &CSettings::DisplayWidth, 0, Storage::NotStored, 0},
    {u"DisplayHeight", &CSettings::DisplayHeight, 0, Storage::NotStored, 0},
    {u"LanguageType", &CSettings::LanguageType, -1, Storage::Language, 0},
    {u"EnableSubtitlesByDefault", &CSettings::EnableSubtitlesByDefault, 0, Storage::Registry, 0},
    {u"GeneralChanged", &CSettings::GeneralChanged, 0, Storage::NotStored, 0},
    {u"DvdChanged", &CSettings::DvdChanged, 0, Storage::NotStored, 0},
    {u"PlaybackChanged", &CSettings::PlaybackChanged, 0, Storage::NotStored, 0},
    {u"LanguageChanged", &CSettings::LanguageChanged, 0, Storage::NotStored, 0},
    {u"FileAssociationsChanged", &CSettings::FileAssociationsChanged, 0, Storage::NotStored, 0},
    {u"VideoChanged", &CSettings::VideoChanged, 0, Storage::NotStored, 0},
};

// Every text field with its registry value name and default.
const StringField kStringFields[] = {
    {u"PlaylistDirTree", &CSettings::PlaylistDirTree, u"", Storage::Registry, nullptr},
    {u"ScreenshotDirectory", &CSettings::ScreenshotDirectory, u"", Storage::Registry, nullptr},
    {u"ScreenshotFileType", &CSettings::ScreenshotFileType, u"jpg", Storage::Registry,
     IsScreenshotFileType},
    {u"DisplayDeviceStartup", &CSettings::DisplayDeviceStartup, u"Current", Storage::Registry,
     nullptr},
    {u"DisplaySettings", &CSettings::DisplaySettings, u"Current", Storage::Registry, nullptr},
    {u"DisplayDevice", &CSettings::DisplayDevice, u"Current", Storage::Registry, nullptr},
    {u"VideoRenderer", &CSettings::VideoRenderer, u"Current", Storage::Registry, nullptr},
    {u"LanguageFile", &CSettings::LanguageFile, u"", Storage::Language, nullptr},
    {u"LanguageResource", &CSettings::LanguageResource, u"", Storage::Language, nullptr},
};

// The playlist window's rectangle is stored as position and size.
constexpr char16_t kPlaylistWindowX[] = u"PlaylistWindowX";
constexpr char16_t kPlaylistWindowY[] = u"PlaylistWindowY";
constexpr char16_t kPlaylistWindowWidth[] = u"PlaylistWindowWidth";
constexpr char16_t kPlaylistWindowHeight[] = u"PlaylistWindowHeight";

constexpr char16_t kSettingsSubkey[] = u"\\Settings";
constexpr char16_t kFileAssociationsSubkey[] = u"\\FileAssociations";

struct DefaultFileTypes {
  int flags;
  const char16_t* const* extensions;
  size_t count;
};

constexpr const char16_t* kVideoAudioTypes[] = {u"ogm", u"mpeg", u"mpg", u"mpe", u"wm"};
constexpr const char16_t* kVideoTypes[] = {u"avi", u"divx", u"mkv", u"wmv", u"wmd",
                                           u"m1v", u"m2v",  u"vob", u"dat"};
constexpr const char16_t* kAudioTypes[] = {u"wav", u"ac3", u"mka", u"mp1", u"mp2", u"mp3",
                                           u"mpa", u"wma", u"snd", u"au",  u"aif", u"aifc",
                                           u"aiff", u"mid", u"rmi", u"midi"};
constexpr const char16_t* kPlaylistTypes[] = {u"m3u", u"ram", u"pls"};

int32_t FromStored(uint32_t stored, uint32_t offset) {
  return static_cast<int32_t>(stored - offset);
}

uint32_t ToStored(int value, uint32_t offset) { return static_cast<uint32_t>(value) + offset; }

std::optional<uint32_t> ReadDword(zv::RegistryKey& key, const std::u16string& name) {
  zv::RegValue value;
  if (!key.QueryValue(name, value)) return std::nullopt;
  return zv::DecodeDword(value);
}

std::optional<std::u16string> ReadString(zv::RegistryKey& key, const std::u16string& name) {
  zv::RegValue value;
  if (!key.QueryValue(name, value)) return std::nullopt;
  return zv::DecodeString(value);
}

// Guards against a registry enumeration that never reports its end.
constexpr uint32_t kMaxFileTypeValues = 65536;

}  // namespace

namespace zv {

uint32_t PriorityClassOfIndex(int32_t index) {
  static const uint32_t kClasses[] = {0x40, 0x20, 0x80, 0x100, 0x8000, 0x4000};
  if (index < 0 || index >= static_cast<int32_t>(std::size(kClasses))) return 0;
  return kClasses[index];
}

const char16_t* PriorityTextKeyOfIndex(int32_t index) {
  static const char16_t* const kKeys[] = {u"IDLE",     u"NORMAL",       u"HIGH",
                                          u"REALTIME", u"ABOVE_NORMAL", u"BELOW_NORMAL"};
  if (index < 0 || index >= static_cast<int32_t>(std::size(kKeys))) return u"";
  return kKeys[index];
}

}  // namespace zv

CSettings::CSettings(int persistent, zv::SettingsHost* host, std::u16string productKey)
    : Persistent(persistent), host_(host), productKey_(std::move(productKey)) {
  for (const IntField& field : kIntFields) this->*field.member = field.defaultValue;
  for (const StringField& field : kStringFields) this->*field.member = field.defaultValue;
  PlaylistWindowRect = {};
  if (Persistent != 1) return;
  ResetFileTypes();
  Load();
}

CSettings::~CSettings() {
  if (Persistent == 1) Save();
}

CSettings& CSettings::operator=(const CSettings& other) {
  if (&other == this) return *this;
  for (const IntField& field : kIntFields) this->*field.member = other.*field.member;
  for (const StringField& field : kStringFields) this->*field.member = other.*field.member;
  PlaylistWindowRect = other.PlaylistWindowRect;
  OwnerWindow = other.OwnerWindow;
  FileTypes.CopyFrom(other.FileTypes);
  return *this;
}

void CSettings::Load() {
  if (Persistent != 1 || !host_) return;
  if (std::unique_ptr<zv::RegistryKey> key = host_->OpenKey(productKey_ + kSettingsSubkey)) {
    LoadSettingsKey(*key);
  }
  LoadFileTypes();
}

void CSettings::LoadSettingsKey(zv::RegistryKey& key) {
  for (const IntField& field : kIntFields) {
    if (field.storage != Storage::Registry) continue;
    if (std::optional<uint32_t> stored = ReadDword(key, field.name))
      this->*field.member = FromStored(*stored, field.storedOffset);
  }
  for (const StringField& field : kStringFields) {
    if (field.storage != Storage::Registry) continue;
    std::optional<std::u16string> text = ReadString(key, field.name);
    if (!text) continue;
    if (field.accepts && !field.accepts(*text)) continue;
    this->*field.member = *text;
  }
  EnsureScreenshotDirectory();

  int32_t x = FromStored(ReadDword(key, kPlaylistWindowX).value_or(0), 0);
  int32_t y = FromStored(ReadDword(key, kPlaylistWindowY).value_or(0), 0);
  int32_t width = FromStored(ReadDword(key, kPlaylistWindowWidth).value_or(0), 0);
  int32_t height = FromStored(ReadDword(key, kPlaylistWindowHeight).value_or(0), 0);
  PlaylistWindowRect = {x, y, FromStored(static_cast<uint32_t>(x) + static_cast<uint32_t>(width), 0),
                        FromStored(static_cast<uint32_t>(y) + static_cast<uint32_t>(height), 0)};

  ParseDisplaySettings();
}

void CSettings::LoadFileTypes() {
  std::unique_ptr<zv::RegistryKey> key = host_->OpenKey(productKey_ + kFileAssociationsSubkey);
  if (!key) {
    // First start, or after an uninstall: register the defaults at once.
    ApplyFileAssociations();
    return;
  }
  ClearFileTypes();
  for (uint32_t index = 0; index < kMaxFileTypeValues; ++index) {
    std::u16string name;
    zv::RegValue value;
    zv::EnumResult result = key->EnumValue(index, name, value);
    if (result == zv::EnumResult::NoMoreItems) break;
    if (result != zv::EnumResult::Ok) continue;
    int lowByte = value.data.empty() ? 0 : value.data[0];
    AddFileType(name, lowByte);
  }
}

void CSettings::Save() {
  if (Persistent != 1 || !host_) return;
  if (std::unique_ptr<zv::RegistryKey> key = host_->CreateKey(productKey_ + kSettingsSubkey)) {
    SaveSettingsKey(*key);
  }
  SaveFileTypes();
}

void CSettings::SaveSettingsKey(zv::RegistryKey& key) {
  for (const IntField& field : kIntFields) {
    if (field.storage != Storage::Registry) continue;
    key.SetDword(field.name, ToStored(this->*field.member, field.storedOffset));
  }
  for (const StringField& field : kStringFields) {
    if (field.storage != Storage::Registry) continue;
    key.SetString(field.name, this->*field.member);
  }
  const zv::SettingsRect& rect = PlaylistWindowRect;
  key.SetDword(kPlaylistWindowX, static_cast<uint32_t>(rect.left));
  key.SetDword(kPlaylistWindowY, static_cast<uint32_t>(rect.top));
  key.SetDword(kPlaylistWindowWidth,
               static_cast<uint32_t>(rect.right) - static_cast<uint32_t>(rect.left));
  key.SetDword(kPlaylistWindowHeight,
               static_cast<uint32_t>(rect.bottom) - static_cast<uint32_t>(rect.top));

  // Only a chosen language is written; -1 leaves the stored choice alone.
  if (LanguageType == 0) {
    key.SetString(u"LanguageResource", LanguageResource);
    key.SetDword(u"LanguageType", 0);
  } else if (LanguageType == 1) {
    key.SetString(u"LanguageFile", LanguageFile);
    key.SetDword(u"LanguageType", 1);
  }
}

void CSettings::SaveFileTypes() {
  // Rewritten from scratch, so that types deleted in the dialog disappear.
  if (host_->OpenKey(productKey_)) host_->DeleteKeyTree(productKey_ + kFileAssociationsSubkey);
  std::unique_ptr<zv::RegistryKey> key = host_->CreateKey(productKey_ + kFileAssociationsSubkey);
  if (!key) return;
  for (CFileAssocs* node = FileTypes.Head(); node; node = node->Next)
    key->SetDword(node->Extension, static_cast<uint32_t>(node->Flags));
}

void CSettings::ParseDisplaySettings() {
  size_t separator = DisplaySettings.find(u" x ");
  if (separator == std::u16string::npos) {
    DisplayWidth = 0;
    DisplayHeight = 0;
    DisplaySettings = u"Current";
    return;
  }
  DisplayWidth = zv::ReadInt(DisplaySettings.substr(0, separator));
  DisplayHeight = zv::ReadInt(DisplaySettings.substr(separator + 3));
}

void CSettings::EnsureScreenshotDirectory() {
  if (!host_) return;
  if (host_->DirectoryExists(ScreenshotDirectory)) return;
  ScreenshotDirectory = host_->ProgramFolder();
  if (host_->DirectoryExists(ScreenshotDirectory)) return;
  ScreenshotDirectory = host_->TempFolder();
}

void CSettings::ResetChangeFlags() {
  GeneralChanged = 0;
  DvdChanged = 0;
  PlaybackChanged = 0;
  LanguageChanged = 0;
  FileAssociationsChanged = 0;
  VideoChanged = 0;
}

void CSettings::ApplyFileAssociations() {
  if (host_) host_->ApplyFileAssociations(*this);
}

void CSettings::ResetFileTypes(bool associationServiceAvailable) {
  ClearFileTypes();
  const DefaultFileTypes kTable[] = {
      {CFileAssocs::kVideo | CFileAssocs::kAudio, kVideoAudioTypes, std::size(kVideoAudioTypes)},
      {CFileAssocs::kVideo, kVideoTypes, std::size(kVideoTypes)},
      {CFileAssocs::kAudio, kAudioTypes, std::size(kAudioTypes)},
      {CFileAssocs::kPlaylist, kPlaylistTypes, std::size(kPlaylistTypes)},
  };
  for (const DefaultFileTypes& row : kTable)
    for (size_t i = 0; i < row.count; ++i) FileTypes.PushFront(row.extensions[i], row.flags);
  int ownPlaylistFlags = CFileAssocs::kPlaylist;
  if (!associationServiceAvailable) ownPlaylistFlags |= CFileAssocs::kAssociated;
  FileTypes.PushFront(u"zvp", ownPlaylistFlags);
}

void CSettings::ClearFileTypes() { FileTypes.Clear(); }

void CSettings::AddFileType(const std::u16string& extension, int flags) {
  if (CFileAssocs* node = FileTypes.Find(extension)) {
    node->Flags |= flags;
    return;
  }
  FileTypes.PushFront(extension, flags);
}

void CSettings::SetCategoryAssociated(int categoryMask, bool associate) {
  for (CFileAssocs* node = FileTypes.Head(); node; node = node->Next) {
    if ((node->Flags & categoryMask) == 0) continue;
    if (associate)
      node->Flags |= CFileAssocs::kAssociated;
    else
      node->Flags &= ~CFileAssocs::kAssociated;
  }
}

void CSettings::RemoveFileTypeFlags(CFileAssocs* node, int category) {
  if (!node) return;
  // Only the category's own bits are taken away, so that a type never gains
  // a category it did not have.
  int remaining = node->Flags & ~category;
  if (remaining > CFileAssocs::kAssociated) {
    node->Flags = remaining;
    return;
  }
  FileTypes.Remove(node);
}
