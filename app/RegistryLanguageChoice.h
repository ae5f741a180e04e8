#pragma once
#include <string>

#include "app/CmdLineInfo.h"
#include "app/RegistryAccess.h"

namespace zv {

// Writes a "language:" choice to the settings key, creating it if missing:
// LanguageResource = the resource name, LanguageType = 0. A key that cannot
// be created is not reported; the choice is then lost.
class RegistryLanguageChoice : public LanguageChoiceSink {
 public:
  RegistryLanguageChoice(RegistryRoot& registry, std::u16string productKey);
  void StoreLanguageChoice(const std::u16string& resourceName) override;

 private:
  RegistryRoot& registry_;
  std::u16string productKey_;
};

}  // namespace zv
