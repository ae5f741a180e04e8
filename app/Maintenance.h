#pragma once
// The maintenance runs of the installer, the updater and the elevated
// association run, as the application dispatches them. Each tells whether
// the program ends afterwards. Their work belongs to the system folder
// (uninstall, associations) and the updater; until those arrive these are
// the entry points that keep the dispatch order of the start-up.
namespace zv {

enum class AfterMaintenance { EndProgram, StartPlayer };

AfterMaintenance RunUninstall();
AfterMaintenance RunUpdateStep1();
// Returns so that the updated program comes up as a player.
AfterMaintenance RunUpdateStep2();
AfterMaintenance RunAdminCreateFileAssociations();
AfterMaintenance RunAdminDeleteFileAssociations();

}  // namespace zv
