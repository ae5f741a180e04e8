#pragma once
#include <string>

namespace zv {

// The product version as the status bar shows it: the version resource's
// "ProductVersion" text ("1, 3, 1, 9") with every comma turned into a point.
std::u16string VersionTextFromProductVersion(const std::u16string& productVersion);

}  // namespace zv
