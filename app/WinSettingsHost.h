#pragma once
// What the settings need of Windows: the current user's registry, the file
// system and the shell registration of file types.
#include "app/Settings.h"
#include "app/WinRegistry.h"

#include <functional>
#include <utility>

namespace zv {

class WinSettingsHost : public SettingsHost {
 public:
  std::unique_ptr<RegistryKey> OpenKey(const std::u16string& path) override { return registry_.OpenKey(path); }
  std::unique_ptr<RegistryKey> CreateKey(const std::u16string& path) override {
    return registry_.CreateKey(path);
  }
  bool DeleteKeyTree(const std::u16string& path) override { return registry_.DeleteKeyTree(path); }

  bool DirectoryExists(const std::u16string& path) override;
  std::u16string ProgramFolder() override;
  std::u16string TempFolder() override;
  // Hands the file types to the shell registration the application set
  // (the association code lives above this layer); without one the table is
  // only kept in the settings.
  void ApplyFileAssociations(const CSettings& settings) override;
  void SetAssociationApplier(std::function<void(const CSettings&)> applier) { applier_ = std::move(applier); }

 private:
  CurrentUserRegistry registry_;
  std::function<void(const CSettings&)> applier_;
};

// The settings object of the running program: persistent, loaded at once
// from the product key of this process.
std::unique_ptr<CSettings> CreateGlobalSettings(WinSettingsHost& host);

}  // namespace zv
