#pragma once
// The player's registration with the Windows shell: its program identifier,
// the uninstall entry, the association of media file types, the machine-wide
// description for the default-programs strategy, and their removal.
//
// Two strategies, fixed by the service given at construction: without it
// (per-user) everything is written under HKEY_CURRENT_USER in this process;
// with it (default-programs) the program describes itself under
// HKEY_LOCAL_MACHINE from an elevated instance and asks the service to make
// it the default per extension. Failed registry opens and service calls are
// skipped silently.
#include "framework/WinInclude.h"

#include <string>

class CSettings;
struct IApplicationAssociationRegistration;

namespace zv {

// The names the registration uses for one executable.
struct ShellIdentity {
  std::wstring appName;      // "Zentravue", "ZentravueX64" for the native 64-bit build
  std::wstring programPath;  // full path of the executable
  std::wstring suffix;       // the product key suffix: "X64" for the native 64-bit build
  std::wstring versionText;  // the uninstall entry's DisplayVersion

  // HKEY_CURRENT_USER "Software\Ostrel-Software\Zentra-Vue" + suffix.
  std::wstring ProductKey() const { return L"Software\\Ostrel-Software\\Zentra-Vue" + suffix; }
  // HKEY_LOCAL_MACHINE "SOFTWARE\Ostrel-Software\Zentra-Vue" + suffix.
  std::wstring MachineProductKey() const { return L"SOFTWARE\\Ostrel-Software\\Zentra-Vue" + suffix; }

  // The running program's own names.
  static ShellIdentity OfThisProgram();
};

// The web address written as HelpLink of the uninstall entry.
inline constexpr wchar_t kHelpLink[] = L"https://www.ostrel-software.example/zentravue";
// The file name of the installer's uninstaller beside an installed program.
inline constexpr wchar_t kUninstallerName[] = L"Uninstall.exe";

class FileAssociations {
 public:
  // service: the default-programs strategy's service; null for per-user.
  // userClasses: where the per-user strategy keeps its class keys (the
  // program identifier and the extensions, "Software\Classes" below it);
  // null for the platform's choice, which is HKEY_CURRENT_USER wherever the
  // shell reads the user's classes.
  FileAssociations(IApplicationAssociationRegistration* service, ShellIdentity identity,
                   HKEY userClasses = nullptr);

  bool UsesService() const { return service_ != nullptr; }
  const ShellIdentity& Identity() const { return identity_; }

  // extension: without the dot, as the settings keep it.
  void AssociateExtension(const std::wstring& extension);
  void UnassociateExtension(const std::wstring& extension);
  // Per-user test: "Software\Classes\.<extension>" of the user's classes
  // names the program (in any letter case).
  bool IsExtensionAssociated(const std::wstring& extension) const;

  // The program identifier (without the service) and the uninstall entry,
  // refreshed at every start of the player window.
  void RegisterPerUserEntries();
  // Without the service: associates again every type the settings key marks
  // associated that lost its association; notifies the shell if any did.
  void RepairAssociations();

  // Registers or unregisters every file type according to its bit 0: with
  // the service through an elevated instance started with
  // "/adminCreateFileAssoc", without it here.
  void Apply(const CSettings& settings);

  // The work of the elevated instances.
  void WriteMachineEntries(const CSettings& settings);
  void RemoveMachineEntries(const CSettings& settings);

  // The registry part of the uninstall run: the associations (through an
  // elevated "/adminDeleteFileAssoc" instance when machine-wide entries
  // exist), then the per-user program identifier, settings and uninstall entry.
  void RemoveForUninstall(const CSettings& settings);

  // Tells the shell that associations changed.
  static void NotifyShell();

  // The open command: the quoted program path, a blank and "\"%1\"".
  std::wstring OpenCommand() const;
  // HKEY_LOCAL_MACHINE "SOFTWARE\Ostrel-Software\Zentra-Vue" + suffix + "\Capabilities".
  std::wstring CapabilitiesKey() const;
  std::wstring BackupKey() const { return identity_.ProductKey() + L"\\FileAssociationsBackup"; }

 private:
  bool ServiceSaysDefault(const std::wstring& application, const std::wstring& dotExtension) const;
  void AssociateWithService(const std::wstring& extension);
  void UnassociateWithService(const std::wstring& extension);
  void AssociatePerUser(const std::wstring& extension);
  void UnassociatePerUser(const std::wstring& extension);
  void WriteUninstallEntry();
  bool IsOwnProgramId(const std::wstring& value) const;

  IApplicationAssociationRegistration* service_;
  ShellIdentity identity_;
  HKEY userClasses_;
};

// The product version of an executable file's version resource
// ("040704b0" table), as written there ("1, 3, 1, 9"); empty without one.
std::wstring ProductVersionOfFile(const std::wstring& path);

}  // namespace zv
