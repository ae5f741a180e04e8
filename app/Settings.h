#pragma once
#include <cstdint>
#include <string>

#include "app/FileAssocs.h"
#include "app/RegistryAccess.h"

class CSettings;

namespace zv {

struct SettingsRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
};

// What the persistent settings need of the platform besides the registry.
// The Windows side implements it over HKEY_CURRENT_USER, the file system and
// the shell registration of file types.
class SettingsHost : public RegistryRoot {
 public:
  virtual bool DirectoryExists(const std::u16string& path) = 0;
  // The folder of the running executable, with its trailing backslash.
  virtual std::u16string ProgramFolder() = 0;
  // The user's temporary folder as the platform reports it.
  virtual std::u16string TempFolder() = 0;
  // Registers or unregisters every file type according to its bit 0.
  virtual void ApplyFileAssociations(const CSettings& settings) = 0;
};

// The process priority classes the ProcessPriority index selects; 0 for an
// index outside the table (the priority is then left unchanged).
uint32_t PriorityClassOfIndex(int32_t index);
// The settings page's text key of an index; empty outside the table.
const char16_t* PriorityTextKeyOfIndex(int32_t index);

}  // namespace zv

// Every persistent option of the player and the list of known media file
// types. The persistent object loads from the registry when it is constructed
// and saves when it is destroyed; a working copy (Persistent 0) never touches
// the registry. Field names are the registry value names; defaults live in
// the one table in Settings.cpp.
class CSettings {
 public:
  // With persistent 1 and a host: builds the default file-type table and
  // loads from productKey (ProductKeyPath) below the host's root.
  explicit CSettings(int persistent, zv::SettingsHost* host = nullptr,
                     std::u16string productKey = zv::ProductKeyPath(u""));
  CSettings(const CSettings&) = delete;
  // Copies every field except Persistent (change flags and OwnerWindow
  // included) and rebuilds the file-type list from the source.
  CSettings& operator=(const CSettings& other);
  virtual ~CSettings();

  void Load();
  void Save();
  void ParseDisplaySettings();
  void EnsureScreenshotDirectory();
  void ResetChangeFlags();
  void ApplyFileAssociations();

  // File types. associationServiceAvailable: the platform's association
  // registration service has been obtained (then zvp does not start associated).
  void ResetFileTypes(bool associationServiceAvailable = false);
  void ClearFileTypes();
  void AddFileType(const std::u16string& extension, int flags);
  void SetCategoryAssociated(int categoryMask, bool associate);
  void RemoveFileTypeFlags(CFileAssocs* node, int category);

  std::u16string PlaylistDirTree;
  int PlaylistShuffle;
  zv::SettingsRect PlaylistWindowRect;
  int Persistent;
  int Balance;
  int Volume;
  int TitleBar;
  int MenuBar;
  int ToolBar;
  int PositionBar;
  int StatusBar;
  int CompactView;
  int AlwaysOnTop;
  int AspectRatio;
  void* OwnerWindow = nullptr;  // the player window's handle
  int StartMediaAutomatically;
  int StartFullscreen;
  int JumpToLastPosition;
  int PlaybackDelay;
  int JumpingRange;
  int SingleInstanceMode;
  int DeactivatePowerManagement;
  std::u16string ScreenshotDirectory;
  std::u16string ScreenshotFileType;
  int ToolBarPos;
  int ProcessPriority;
  int KeepWindowSize;
  int KeepWindowPos;
  int CenterWindow;
  int WindowWidth;
  int WindowHeight;
  int WindowPosX;
  int WindowPosY;
  std::u16string DisplayDeviceStartup;
  std::u16string DisplaySettings;
  std::u16string DisplayDevice;
  std::u16string VideoRenderer;
  int DisplayWidth;
  int DisplayHeight;
  std::u16string LanguageFile;
  std::u16string LanguageResource;
  int LanguageType;
  zv::FileTypeList FileTypes;
  int EnableSubtitlesByDefault;
  int GeneralChanged;
  int DvdChanged;
  int PlaybackChanged;
  int LanguageChanged;
  int FileAssociationsChanged;
  int VideoChanged;

  const std::u16string& ProductKey() const { return productKey_; }

 private:
  void LoadSettingsKey(zv::RegistryKey& key);
  void LoadFileTypes();
  void SaveSettingsKey(zv::RegistryKey& key);
  void SaveFileTypes();

  zv::SettingsHost* host_;
  std::u16string productKey_;
};
