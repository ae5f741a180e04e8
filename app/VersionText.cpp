#include "app/VersionText.h"

namespace zv {

std::u16string VersionTextFromProductVersion(const std::u16string& productVersion) {
  std::u16string text = productVersion;
  for (char16_t& c : text)
    if (c == u',') c = u'.';
  return text;
}

}  // namespace zv
