#pragma once
// The application object: at program load it starts COM and creates the
// language and the settings; its start hook parses the command line, makes
// sure a language is chosen, dispatches the maintenance switches, hands the
// command line to a running first instance, or runs the player window
// modally. The program ends when the start hook returns.
#include "app/Settings.h"
#include "app/WinSettingsHost.h"
#include "framework/App.h"
#include "framework/ComPtr.h"
#include "lang/LanguageTable.h"

#include <memory>
#include <string>

struct IApplicationAssociationRegistration;
class CCmdLineInfo;

class CZentravueApp : public fw::App {
 public:
  CZentravueApp();
  ~CZentravueApp() override;

  BOOL InitInstance() override;

  // Registers "ZentravueClass" as a copy of the system dialog class, so that
  // other processes can find the player window by class name.
  static bool RegisterPlayerWindowClass(HINSTANCE instance);

  LanguageTable& Language() { return language_; }
  CSettings* Settings() { return settings_.get(); }
  // The platform's association registration service; empty where the
  // system does not offer it. Created on first use: it lives in the shell's
  // library, which start-up does not need.
  IApplicationAssociationRegistration* AssociationRegistration() const;

 private:
  // Loads the stored language or shows the standalone language page; false
  // when the user cancelled the choice.
  bool ChooseLanguageAtStart();
  // Runs the maintenance switches in their fixed order; false when the
  // program ends after one of them.
  bool RunMaintenance(const CCmdLineInfo& info);
  void ShowHelp();

  LanguageTable language_;
  bool comInitialized_ = false;
  zv::WinSettingsHost settingsHost_;
  std::unique_ptr<CSettings> settings_;
  mutable fw::ComPtr<IApplicationAssociationRegistration> associations_;
  mutable bool associationsCreated_ = false;
  bool languageReady_ = false;
};

// Name of the player window's class.
inline constexpr wchar_t kPlayerWindowClass[] = L"ZentravueClass";
// Caption of the command-line help box.
inline constexpr wchar_t kHelpCaption[] = L"Zentravue command line parameters";
