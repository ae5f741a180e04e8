#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The small view of the registry that the portable settings code needs. The
// Windows side implements RegistryRoot over HKEY_CURRENT_USER; tests use an
// in-memory registry. Values travel raw (type and bytes, as the platform
// returns them) so that validation happens once, here, in DecodeDword and
// DecodeString.
namespace zv {

// The platform's registry value types (same numbers).
enum class RegType : uint32_t {
  None = 0,
  Sz = 1,
  ExpandSz = 2,
  Binary = 3,
  Dword = 4,
  MultiSz = 7,
  Qword = 11,
};

struct RegValue {
  RegType type = RegType::None;
  std::vector<uint8_t> data;
};

enum class EnumResult { Ok, NoMoreItems, Failed };

class RegistryKey {
 public:
  virtual ~RegistryKey() = default;
  // The raw value; false when it does not exist or cannot be read.
  [[nodiscard]] virtual bool QueryValue(const std::u16string& name, RegValue& value) = 0;
  // The value at this index of the key's enumeration. Failed skips one index.
  [[nodiscard]] virtual EnumResult EnumValue(uint32_t index, std::u16string& name,
                                             RegValue& value) = 0;
  virtual bool SetDword(const std::u16string& name, uint32_t data) = 0;
  // Stored as REG_SZ including its terminator.
  virtual bool SetString(const std::u16string& name, const std::u16string& data) = 0;
};

class RegistryRoot {
 public:
  virtual ~RegistryRoot() = default;
  // Opens a key below the root for reading and writing; empty when it does
  // not exist or cannot be opened.
  virtual std::unique_ptr<RegistryKey> OpenKey(const std::u16string& path) = 0;
  // Creates the key if it is missing, then opens it for reading and writing.
  virtual std::unique_ptr<RegistryKey> CreateKey(const std::u16string& path) = 0;
  // Deletes the key with all its subkeys; false when it was not there.
  virtual bool DeleteKeyTree(const std::u16string& path) = 0;
};

// The strings the settings accept are read into a buffer of this many
// characters, terminator included.
constexpr size_t kMaxSettingChars = 260;

// A REG_DWORD value of four bytes.
std::optional<uint32_t> DecodeDword(const RegValue& value);

// A REG_SZ or REG_EXPAND_SZ value of even length that ends in a terminator
// and fits, terminator included, into maxChars characters. The text ends at
// its first terminator.
std::optional<std::u16string> DecodeString(const RegValue& value,
                                           size_t maxChars = kMaxSettingChars);

// The bytes SetString stores for a text (UTF-16 little-endian with terminator).
RegValue EncodeString(const std::u16string& text);
RegValue EncodeDword(uint32_t data);

// "Software\Ostrel-Software\Zentra-Vue" followed by the product key suffix
// ("X64" for the native 64-bit build, else empty).
std::u16string ProductKeyPath(const std::u16string& suffix);

}  // namespace zv
