#pragma once
// The maintenance runs of the installer, the updater and the elevated
// association instances, as the application dispatches them after parsing
// the command line. A run that ends the program leaves the registry as it
// made it: the settings object does not save itself afterwards.
class CCmdLineInfo;
class CSettings;
class LanguageTable;

namespace zv {

struct MaintenanceContext {
  LanguageTable* language;  // may be empty for the runs that show nothing
  CSettings* settings;
};

// True when the command line asks only for runs that show nothing: the
// elevated association instances, the installer's association run and the
// quiet uninstall. They need no language, so they run before the language
// is chosen (a silent installer must not stop at the language page).
bool RunsWithoutLanguage(const CCmdLineInfo& info);

// Runs the maintenance switches in their fixed order: uninstall, update step
// 1, update step 2, create and delete the associations as administrator, the
// installer's association run. False when the program ends after one of
// them; true when the start-up goes on (after step 2, or with none given).
bool RunMaintenanceSwitches(const CCmdLineInfo& info, const MaintenanceContext& context);

}  // namespace zv
