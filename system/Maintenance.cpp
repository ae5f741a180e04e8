#include "system/Maintenance.h"

#include "app/CmdLineInfo.h"
#include "app/ProductName.h"
#include "app/Settings.h"
#include "app/TextUtil.h"
#include "framework/WideString.h"
#include "framework/WinInclude.h"
#include "lang/LanguageTable.h"
#include "system/AssociationService.h"
#include "system/FileAssociations.h"
#include "system/UpdateSteps.h"

namespace zv {

namespace {

FileAssociations ProcessAssociations() {
  return FileAssociations(AssociationService(), ShellIdentity::OfThisProgram());
}

// The run has written what it should; the settings object must not write
// its state back over it when the program ends.
void KeepRegistryAsItIs(CSettings* settings) {
  if (settings) settings->Persistent = 0;
}

void Uninstall(const MaintenanceContext& context, bool quiet) {
  if (context.settings) ProcessAssociations().RemoveForUninstall(*context.settings);
  KeepRegistryAsItIs(context.settings);
  if (quiet) return;
  const std::wstring text = context.language ? fw::ToWide(context.language->Message(u"UNINSTALL_MSGBOX_SUCCESS")) : L"";
  const std::wstring caption =
      context.language ? fw::ToWide(context.language->Message(u"UNINSTALL_MSGBOX_CAPTION")) : L"";
  MessageBoxW(nullptr, text.c_str(), caption.c_str(), MB_OK | MB_ICONINFORMATION);
}

// The installer's run: marks the chosen categories associated, keeps that in
// the settings, writes the per-user entries and registers the associations
// with the process's strategy.
void AssociateCategories(const MaintenanceContext& context, const std::u16string& categories) {
  if (!context.settings) return;
  const int mask = ReadInt(categories) & (CFileAssocs::kVideo | CFileAssocs::kAudio | CFileAssocs::kPlaylist);
  if (mask) context.settings->SetCategoryAssociated(mask, true);
  context.settings->Save();
  FileAssociations associations = ProcessAssociations();
  associations.RegisterPerUserEntries();
  associations.Apply(*context.settings);
}

}  // namespace

bool RunsWithoutLanguage(const CCmdLineInfo& info) {
  if (info.UpdateStep1 || info.UpdateStep2) return false;
  if (info.Uninstall) return info.Quiet;
  return info.AdminCreateFileAssoc || info.AdminDeleteFileAssoc || !info.AssociateCategories().empty();
}

bool RunMaintenanceSwitches(const CCmdLineInfo& info, const MaintenanceContext& context) {
  if (info.Uninstall) {
    Uninstall(context, info.Quiet);
    return false;
  }
  const std::wstring ownPath = ProgramFolder() + ProgramFileName();
  if (info.UpdateStep1) {
    KeepRegistryAsItIs(context.settings);
    RunUpdateStepOne(context.language, ownPath);
    return false;
  }
  if (info.UpdateStep2) RunUpdateStepTwo(context.language, ownPath);
  if (info.AdminCreateFileAssoc) {
    if (context.settings) ProcessAssociations().WriteMachineEntries(*context.settings);
    KeepRegistryAsItIs(context.settings);
    return false;
  }
  if (info.AdminDeleteFileAssoc) {
    if (context.settings) ProcessAssociations().RemoveMachineEntries(*context.settings);
    KeepRegistryAsItIs(context.settings);
    return false;
  }
  if (!info.AssociateCategories().empty()) {
    AssociateCategories(context, info.AssociateCategories());
    KeepRegistryAsItIs(context.settings);
    return false;
  }
  return true;
}

}  // namespace zv
