#include "app/RegistryLanguageChoice.h"

#include <memory>
#include <utility>

namespace zv {

RegistryLanguageChoice::RegistryLanguageChoice(RegistryRoot& registry, std::u16string productKey)
    : registry_(registry), productKey_(std::move(productKey)) {}

void RegistryLanguageChoice::StoreLanguageChoice(const std::u16string& resourceName) {
  std::unique_ptr<RegistryKey> key = registry_.CreateKey(productKey_ + u"\\Settings");
  if (!key) return;
  key->SetString(u"LanguageResource", resourceName);
  key->SetDword(u"LanguageType", 0);
}

}  // namespace zv
