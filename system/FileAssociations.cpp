#include "system/FileAssociations.h"

#include "app/ProductName.h"
#include "app/Settings.h"
#include "app/WinRegistry.h"
#include "framework/WideString.h"
#include "media/PlatformQuirks.h"
#include "system/ElevatedRun.h"
#include "system/UpdateProtocol.h"

#include <shlobj.h>
#include <shobjidl.h>

#include <utility>
#include <vector>

namespace zv {

namespace {

constexpr wchar_t kClasses[] = L"Software\\Classes\\";
constexpr wchar_t kMachineClasses[] = L"SOFTWARE\\Classes\\";
constexpr wchar_t kUninstallRoot[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
constexpr wchar_t kRegisteredApplications[] = L"SOFTWARE\\RegisteredApplications";
constexpr wchar_t kCompanyKey[] = L"Software\\Ostrel-Software";
constexpr wchar_t kPublisher[] = L"Ostrel-Software";
constexpr wchar_t kApplicationDescription[] = L"Media player for video and audio files";
// Registered values and default values the association code reads hold at
// most this many characters.
constexpr size_t kMaxNameChars = 1000;

#if defined(_WIN64)
constexpr wchar_t kClassId[] = L"{9C620E3C-A69A-4c29-AF24-047E8315568F}";
#else
constexpr wchar_t kClassId[] = L"{163CB2DC-0878-4980-A837-F8BBE268D51D}";
#endif

bool WriteDefault(HKEY root, const std::wstring& path, const std::wstring& value) {
  WinRegistryKey key;
  if (!key.Create(root, path)) return false;
  key.WriteString(L"", value);
  return true;
}

bool KeyExists(HKEY root, const std::wstring& path) {
  WinRegistryKey key;
  return key.OpenForReading(root, path);
}

std::wstring DefaultValue(WinRegistryKey& key) {
  return key.ReadString(L"", kMaxNameChars).value_or(std::wstring());
}

// Deletes a key when it holds neither values nor subkeys.
void DeleteIfEmpty(HKEY root, const std::wstring& path) {
  WinRegistryKey key;
  if (!key.OpenForReading(root, path)) return;
  DWORD values = 0;
  DWORD subkeys = 0;
  if (!key.Counts(&values, &subkeys) || values != 0 || subkeys != 0) return;
  key.Close();
  RegDeleteKeyW(root, path.c_str());
}

std::vector<std::wstring> ValueNames(HKEY root, const std::wstring& path) {
  std::vector<std::wstring> names;
  WinRegistryKey key;
  if (!key.OpenForReading(root, path)) return names;
  // Bounded in case the enumeration never reports its end.
  for (uint32_t index = 0; index < 65536; ++index) {
    std::u16string name;
    RegValue value;
    const EnumResult result = key.EnumValue(index, name, value);
    if (result == EnumResult::NoMoreItems) break;
    if (result == EnumResult::Ok && name.size() < kMaxNameChars) names.push_back(fw::ToWide(name));
  }
  return names;
}

}  // namespace

ShellIdentity ShellIdentity::OfThisProgram() {
  ShellIdentity identity;
  identity.appName = AppName();
  identity.programPath = ProgramFolder() + ProgramFileName();
  identity.suffix = ProductKeySuffix();
  identity.versionText = fw::ToWide(UpdateVersionText(fw::ToU16(ProductVersionOfFile(identity.programPath))));
  return identity;
}

FileAssociations::FileAssociations(IApplicationAssociationRegistration* service, ShellIdentity identity,
                                   HKEY userClasses)
    : service_(service), identity_(std::move(identity)), userClasses_(userClasses) {
  if (!userClasses_) userClasses_ = PerUserClassesReachShell() ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

std::wstring FileAssociations::OpenCommand() const {
  return L"\"" + identity_.programPath + L"\" \"%1\"";
}

std::wstring FileAssociations::CapabilitiesKey() const { return identity_.MachineProductKey() + L"\\Capabilities"; }

bool FileAssociations::IsOwnProgramId(const std::wstring& value) const {
  return fw::EqualsNoCase(value, identity_.appName);
}

bool FileAssociations::IsExtensionAssociated(const std::wstring& extension) const {
  WinRegistryKey key;
  if (!key.OpenForReading(userClasses_, kClasses + (L"." + extension))) return false;
  return IsOwnProgramId(DefaultValue(key));
}

void FileAssociations::AssociateExtension(const std::wstring& extension) {
  if (extension.empty()) return;
  if (service_)
    AssociateWithService(extension);
  else
    AssociatePerUser(extension);
}

void FileAssociations::UnassociateExtension(const std::wstring& extension) {
  if (extension.empty()) return;
  if (service_)
    UnassociateWithService(extension);
  else
    UnassociatePerUser(extension);
}

bool FileAssociations::ServiceSaysDefault(const std::wstring& application, const std::wstring& dotExtension) const {
  BOOL isDefault = FALSE;
  const HRESULT hr =
      service_->QueryAppIsDefault(dotExtension.c_str(), AT_FILEEXTENSION, AL_EFFECTIVE, application.c_str(), &isDefault);
  return SUCCEEDED(hr) && isDefault;
}

void FileAssociations::AssociateWithService(const std::wstring& extension) {
  const std::wstring dotExtension = L"." + extension;
  if (ServiceSaysDefault(identity_.appName, dotExtension)) return;
  // Remember which registered application was the default before.
  for (const std::wstring& application : ValueNames(HKEY_LOCAL_MACHINE, kRegisteredApplications)) {
    if (!ServiceSaysDefault(application, dotExtension)) continue;
    WinRegistryKey backup;
    if (backup.Create(HKEY_CURRENT_USER, BackupKey())) backup.WriteString(extension, application);
    break;
  }
  service_->SetAppAsDefault(identity_.appName.c_str(), dotExtension.c_str(), AT_FILEEXTENSION);
}

void FileAssociations::UnassociateWithService(const std::wstring& extension) {
  const std::wstring dotExtension = L"." + extension;
  if (!ServiceSaysDefault(identity_.appName, dotExtension)) return;
  WinRegistryKey backup;
  if (!backup.Open(HKEY_CURRENT_USER, BackupKey())) return;
  if (std::optional<std::wstring> previous = backup.ReadString(extension, kMaxNameChars))
    service_->SetAppAsDefault(previous->c_str(), dotExtension.c_str(), AT_FILEEXTENSION);
  backup.DeleteValue(extension);
}

void FileAssociations::AssociatePerUser(const std::wstring& extension) {
  const std::wstring path = kClasses + (L"." + extension);
  WinRegistryKey existing;
  if (existing.Open(userClasses_, path)) {
    const std::wstring previous = DefaultValue(existing);
    if (IsOwnProgramId(previous)) return;
    WinRegistryKey backup;
    if (backup.Create(HKEY_CURRENT_USER, BackupKey())) backup.WriteString(extension, previous);
  }
  WriteDefault(userClasses_, path, identity_.appName);
}

void FileAssociations::UnassociatePerUser(const std::wstring& extension) {
  const std::wstring path = kClasses + (L"." + extension);
  WinRegistryKey key;
  if (!key.Open(userClasses_, path) || !IsOwnProgramId(DefaultValue(key))) return;
  WinRegistryKey backup;
  const bool haveBackup = backup.Open(HKEY_CURRENT_USER, BackupKey());
  std::optional<std::wstring> previous;
  if (haveBackup) previous = backup.ReadString(extension, kMaxNameChars);
  if (previous) {
    key.WriteString(L"", *previous);
  } else {
    // No saved value: the key was made by the association. It goes again
    // unless something else has been stored in it meanwhile.
    DWORD values = 0;
    DWORD subkeys = 0;
    if (key.Counts(&values, &subkeys) && values <= 1 && subkeys == 0) {
      key.Close();
      RegDeleteKeyW(userClasses_, path.c_str());
    } else {
      key.WriteString(L"", L"");
    }
  }
  if (haveBackup) backup.DeleteValue(extension);
}

void FileAssociations::RegisterPerUserEntries() {
  if (!service_) {
    const std::wstring programId = kClasses + identity_.appName;
    if (WriteDefault(userClasses_, programId, identity_.appName)) {
      WriteDefault(userClasses_, programId + L"\\DefaultIcon", identity_.programPath);
      WriteDefault(userClasses_, programId + L"\\shell", L"open");
      WinRegistryKey open;
      if (open.Create(userClasses_, programId + L"\\shell\\open")) open.Close();
      WriteDefault(userClasses_, programId + L"\\shell\\open\\command", OpenCommand());
    }
  }
  WriteUninstallEntry();
}

void FileAssociations::WriteUninstallEntry() {
  const std::wstring entry = kUninstallRoot + identity_.appName;
  // A machine-wide installation registers its own uninstall entry; a second
  // one per user would list the program twice.
  if (KeyExists(HKEY_LOCAL_MACHINE, entry)) return;
  const size_t slash = identity_.programPath.find_last_of(L'\\');
  const std::wstring uninstaller = identity_.programPath.substr(0, slash + 1) + kUninstallerName;
  const DWORD attributes = GetFileAttributesW(uninstaller.c_str());
  const bool installed = attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);

  WinRegistryKey key;
  if (!key.Create(HKEY_CURRENT_USER, entry)) return;
  key.WriteString(L"DisplayName", identity_.appName);
  key.WriteString(L"DisplayVersion", identity_.versionText);
  key.WriteString(L"Publisher", kPublisher);
  key.WriteString(L"HelpLink", kHelpLink);
  // Quoted: under "C:\Program Files\..." an unquoted path would start "C:\Program.exe".
  key.WriteString(L"UninstallString", installed ? L"\"" + uninstaller + L"\""
                                                : L"\"" + identity_.programPath + L"\" /uninstall");
  key.WriteString(L"DisplayIcon", identity_.programPath);
}

void FileAssociations::RepairAssociations() {
  if (service_) return;
  WinRegistryKey key;
  if (!key.OpenForReading(HKEY_CURRENT_USER, identity_.ProductKey() + L"\\FileAssociations")) return;
  std::vector<std::wstring> marked;
  for (uint32_t index = 0; index < 65536; ++index) {
    std::u16string name;
    RegValue value;
    const EnumResult result = key.EnumValue(index, name, value);
    if (result == EnumResult::NoMoreItems) break;
    if (result != EnumResult::Ok || value.data.empty()) continue;
    if (value.data[0] & CFileAssocs::kAssociated) marked.push_back(fw::ToWide(name));
  }
  key.Close();
  bool repaired = false;
  for (const std::wstring& extension : marked) {
    if (IsExtensionAssociated(extension)) continue;
    AssociateExtension(extension);
    repaired = true;
  }
  if (repaired) NotifyShell();
}

void FileAssociations::Apply(const CSettings& settings) {
  if (service_) {
    RunElevatedAndWait(identity_.programPath, L"/adminCreateFileAssoc");
    return;
  }
  for (CFileAssocs* type = settings.FileTypes.Head(); type; type = type->Next) {
    const std::wstring extension = fw::ToWide(type->Extension);
    if (type->Flags & CFileAssocs::kAssociated)
      AssociateExtension(extension);
    else
      UnassociateExtension(extension);
  }
  NotifyShell();
}

void FileAssociations::WriteMachineEntries(const CSettings& settings) {
  const std::wstring programId = kMachineClasses + identity_.appName;
  if (WriteDefault(HKEY_LOCAL_MACHINE, programId, identity_.appName + L" media file")) {
    WriteDefault(HKEY_LOCAL_MACHINE, programId + L"\\DefaultIcon", identity_.programPath);
    WriteDefault(HKEY_LOCAL_MACHINE, programId + L"\\CLSID", kClassId);
    WriteDefault(HKEY_LOCAL_MACHINE, programId + L"\\shell\\open\\command", OpenCommand());
  }
  const std::wstring capabilities = CapabilitiesKey();
  {
    WinRegistryKey key;
    if (key.Create(HKEY_LOCAL_MACHINE, capabilities)) {
      key.WriteString(L"ApplicationDescription", kApplicationDescription);
      key.WriteString(L"ApplicationIcon", identity_.programPath);
      key.WriteString(L"ApplicationName", identity_.appName);
    }
  }
  {
    WinRegistryKey key;
    if (key.Create(HKEY_LOCAL_MACHINE, kRegisteredApplications)) key.WriteString(identity_.appName, capabilities);
  }
  const std::wstring typesPath = capabilities + L"\\FileAssociations";
  WinRegistryKey::DeleteTree(HKEY_LOCAL_MACHINE, typesPath);
  WinRegistryKey types;
  const bool haveTypes = types.Create(HKEY_LOCAL_MACHINE, typesPath);
  for (CFileAssocs* type = settings.FileTypes.Head(); type; type = type->Next) {
    const std::wstring extension = fw::ToWide(type->Extension);
    if (extension.empty()) continue;
    if (haveTypes) types.WriteString(L"." + extension, identity_.appName);
    if (type->Flags & CFileAssocs::kAssociated)
      AssociateExtension(extension);
    else
      UnassociateExtension(extension);
  }
  NotifyShell();
}

void FileAssociations::RemoveMachineEntries(const CSettings& settings) {
  for (CFileAssocs* type = settings.FileTypes.Head(); type; type = type->Next)
    if (type->Flags & CFileAssocs::kAssociated) UnassociateExtension(fw::ToWide(type->Extension));
  {
    WinRegistryKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, kRegisteredApplications)) key.DeleteValue(identity_.appName);
  }
  WinRegistryKey::DeleteTree(HKEY_LOCAL_MACHINE, kMachineClasses + identity_.appName);
  WinRegistryKey::DeleteTree(HKEY_LOCAL_MACHINE, identity_.MachineProductKey());
  DeleteIfEmpty(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Ostrel-Software");
  NotifyShell();
}

void FileAssociations::RemoveForUninstall(const CSettings& settings) {
  // Machine-wide entries are removed whenever they exist, so that nothing is
  // left behind also where the strategy changed since they were written.
  if (KeyExists(HKEY_LOCAL_MACHINE, kMachineClasses + identity_.appName)) {
    RunElevatedAndWait(identity_.programPath, L"/adminDeleteFileAssoc");
  } else {
    for (CFileAssocs* type = settings.FileTypes.Head(); type; type = type->Next)
      if (type->Flags & CFileAssocs::kAssociated) UnassociateExtension(fw::ToWide(type->Extension));
    NotifyShell();
  }
  WinRegistryKey::DeleteTree(userClasses_, kClasses + identity_.appName);
  WinRegistryKey::DeleteTree(HKEY_CURRENT_USER, identity_.ProductKey());
  DeleteIfEmpty(HKEY_CURRENT_USER, kCompanyKey);
  WinRegistryKey::DeleteTree(HKEY_CURRENT_USER, kUninstallRoot + identity_.appName);
}

void FileAssociations::NotifyShell() {
  SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST | SHCNF_FLUSH | SHCNF_FLUSHNOWAIT, nullptr, nullptr);
}

std::wstring ProductVersionOfFile(const std::wstring& path) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
  if (size == 0) return {};
  std::vector<unsigned char> block(size);
  if (!GetFileVersionInfoW(path.c_str(), 0, size, block.data())) return {};
  wchar_t* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(block.data(), L"\\StringFileInfo\\040704b0\\ProductVersion", reinterpret_cast<void**>(&value),
                      &length) ||
      !value)
    return {};
  std::wstring version(value, length);
  while (!version.empty() && version.back() == L'\0') version.pop_back();
  return version;
}

}  // namespace zv
