#pragma once
// Stream addresses as the user types them: "scheme://rest".
#include <string>
#include <string_view>

namespace zv::net {

// The scheme of an address "scheme://..." in lower case, or empty when the
// name is no address (a path, "C:\x", "name:stream", a bare "://x").
std::u16string AddressScheme(std::u16string_view name);

// http and https, the schemes our own network source reads.
bool IsHttpScheme(std::u16string_view scheme);

}  // namespace zv::net
