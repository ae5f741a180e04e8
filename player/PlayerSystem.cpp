// The player window's part of the system integration: the shell registration
// refreshed at every start, and the update command.
#include "player/ZentravueDlg.h"

#include "system/AssociationService.h"
#include "system/FileAssociations.h"
#include "system/UpdateConfig.h"
#include "system/UpdateDlg.h"

void CZentravueDlg::RegisterShellEntries() {
  // Only the program's own window (with the application's settings) speaks
  // for the executable; a window with settings of its own leaves the shell alone.
  if (ownSettings_) return;
  zv::FileAssociations associations(zv::AssociationService(), zv::ShellIdentity::OfThisProgram());
  associations.RegisterPerUserEntries();
  associations.RepairAssociations();
}

void CZentravueDlg::OnHelpUpdate() {
  if (!language_) return;
  CUpdateDlg dialog(hwnd_, language_, zv::UpdateConfig::OfThisProgram());
  // The first step of the replacement waits for this program to end.
  if (dialog.DoModal() == IDOK) PostMessageW(hwnd_, WM_CLOSE, 0, 0);
}
