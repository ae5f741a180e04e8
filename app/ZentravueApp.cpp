#include "app/ZentravueApp.h"

#include "app/CmdLineInfo.h"
#include "app/LanguageAtStart.h"
#include "app/ProductName.h"
#include "app/RegistryLanguageChoice.h"
#include "app/SingleInstance.h"
#include "app/WinRegistry.h"
#include "framework/WideString.h"
#include "media/BoundedRender.h"
#include "lang/LanguageResources.h"
#include "player/ZentravueDlg.h"
#include "settings/SettingsLanguage.h"
#include "system/AssociationService.h"
#include "system/FileAssociations.h"
#include "system/Maintenance.h"

#include <commctrl.h>
#include <objbase.h>
#include <shobjidl.h>

namespace {

// Feeds the framework's command-line walk into the record.
class CommandLineAdapter : public fw::CommandLineReceiver {
 public:
  explicit CommandLineAdapter(CCmdLineInfo& info) : info_(info) {}
  void ParseParam(const std::wstring& param, bool isFlag, bool) override {
    info_.ParseParam(fw::ToU16(param), isFlag);
  }

 private:
  CCmdLineInfo& info_;
};

}  // namespace

CZentravueApp::CZentravueApp() {
  zv::LoadNameTableResource(language_);
  comInitialized_ = SUCCEEDED(CoInitialize(nullptr));
  // The settings register their file types through the process's strategy;
  // at a first start (while they load) that is always the per-user one,
  // because the service is created only after them.
  settingsHost_.SetAssociationApplier([](const CSettings& settings) {
    zv::FileAssociations(zv::AssociationService(), zv::ShellIdentity::OfThisProgram()).Apply(settings);
  });
  settings_ = zv::CreateGlobalSettings(settingsHost_);
  // Created when first needed (the settings' association pages, a change of
  // the associations), not at every start.
  zv::SetProcessAssociationServiceSource([this] { return AssociationRegistration(); });
}

CZentravueApp::~CZentravueApp() {
  zv::SetProcessAssociationService(nullptr);
  associations_.Reset();
  settings_.reset();
  // A graph whose building never finished is still held by its worker; with
  // the settings saved, the process ends here rather than in COM's clean-up.
  zv::EndProcessIfGraphsAbandoned(0);
  // Last, so that no COM object outlives the library.
  if (comInitialized_) CoUninitialize();
}

IApplicationAssociationRegistration* CZentravueApp::AssociationRegistration() const {
  // Its absence is no error: the association and power code have fallbacks.
  if (!associationsCreated_) {
    associationsCreated_ = true;
    if (comInitialized_)
      CoCreateInstance(CLSID_ApplicationAssociationRegistration, nullptr, CLSCTX_ALL,
                       IID_IApplicationAssociationRegistration, associations_.put_void());
  }
  return associations_.get();
}

bool CZentravueApp::RegisterPlayerWindowClass(HINSTANCE instance) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  if (!GetClassInfoExW(nullptr, MAKEINTATOM(32770), &wc)) return false;
  wc.hInstance = instance;
  wc.lpszClassName = kPlayerWindowClass;
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof(existing);
  if (GetClassInfoExW(instance, kPlayerWindowClass, &existing)) return true;
  return RegisterClassExW(&wc) != 0;
}

void CZentravueApp::ShowHelp() {
  const std::wstring text = zv::AppName() + fw::ToWide(zv::CommandLineHelpText());
  MessageBoxW(nullptr, text.c_str(), kHelpCaption, MB_OK);
}

bool CZentravueApp::ChooseLanguageAtStart() {
  if (zv::LoadStoredLanguage(language_, zv::ProductKey())) return true;
  if (!settings_) return false;
  CSettingsLanguage page(&language_, settings_.get(), nullptr);
  if (page.RunStandalone() != IDOK) return false;
  // At once, not only when the settings are saved at exit: a second start
  // while this one runs must find the language and not ask again.
  zv::StoreLanguageChoice(zv::ProductKey(), *settings_);
  return true;
}

bool CZentravueApp::RunMaintenance(const CCmdLineInfo& info) {
  return zv::RunMaintenanceSwitches(info, zv::MaintenanceContext{&language_, settings_.get()});
}

BOOL CZentravueApp::InitInstance() {
  zv::CurrentUserRegistry registry;
  zv::RegistryLanguageChoice languageChoice(registry, fw::ToU16(zv::ProductKey()));
  CCmdLineInfo info(&languageChoice);
  CommandLineAdapter adapter(info);
  ParseCommandLine(adapter);

  if (info.Help) {
    ShowHelp();
    return FALSE;
  }

  // Runs that show nothing go before the language choice.
  if (zv::RunsWithoutLanguage(info)) {
    if (settings_) RunMaintenance(info);
    return FALSE;
  }

  languageReady_ = ChooseLanguageAtStart();
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  if (!languageReady_ || !settings_) return FALSE;

  if (!RunMaintenance(info)) return FALSE;

  if (!RegisterPlayerWindowClass(instance())) return FALSE;

  if (settings_->SingleInstanceMode) {
    const zv::FirstInstance first = zv::FindFirstInstance(zv::ProgramFileName(), zv::AppName());
    // A first instance that cannot be reached (its window just went away)
    // leaves this start to run as a player of its own.
    if (first.window && first.processCount > 1 && zv::HandOverCommandLine(first.window, info)) return FALSE;
  }

  CZentravueDlg dialog(nullptr, &info, &language_, settings_.get());
  SetMainWindow(&dialog);
  dialog.DoModal();
  SetMainWindow(nullptr);
  return FALSE;
}
