#pragma once
// The registry key class of the program: one owned key handle, reads that
// report failure instead of returning garbage, and the RegistryRoot view of
// HKEY_CURRENT_USER that the portable settings code works against.
#include "app/RegistryAccess.h"
#include "framework/WinInclude.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace zv {

class WinRegistryKey : public RegistryKey {
 public:
  WinRegistryKey() = default;
  WinRegistryKey(const WinRegistryKey&) = delete;
  WinRegistryKey& operator=(const WinRegistryKey&) = delete;
  ~WinRegistryKey() override { Close(); }

  // Create-or-open, and open, with read and write access.
  [[nodiscard]] bool Create(HKEY root, const std::wstring& path);
  [[nodiscard]] bool Open(HKEY root, const std::wstring& path);
  // Opens with read access only: enough to test that a key exists, also
  // where the caller may not write.
  [[nodiscard]] bool OpenForReading(HKEY root, const std::wstring& path);
  void Close();
  bool IsOpen() const { return key_ != nullptr; }

  // A REG_SZ or REG_EXPAND_SZ value of even byte length that ends in a
  // terminator and fits into maxChars characters (terminator included).
  // Anything else fails; *error then holds ERROR_INVALID_DATA.
  [[nodiscard]] std::optional<std::wstring> ReadString(const std::wstring& name,
                                                       size_t maxChars = kMaxSettingChars,
                                                       LONG* error = nullptr);
  // A REG_DWORD value of four bytes.
  [[nodiscard]] std::optional<uint32_t> ReadDword(const std::wstring& name);
  bool WriteString(const std::wstring& name, const std::wstring& text);
  bool WriteDword(const std::wstring& name, uint32_t value);
  bool DeleteValue(const std::wstring& name);
  // The numbers of the key's values and subkeys; false when unreadable.
  bool Counts(DWORD* values, DWORD* subkeys) const;

  // RegistryKey.
  [[nodiscard]] bool QueryValue(const std::u16string& name, RegValue& value) override;
  [[nodiscard]] EnumResult EnumValue(uint32_t index, std::u16string& name, RegValue& value) override;
  bool SetDword(const std::u16string& name, uint32_t data) override;
  bool SetString(const std::u16string& name, const std::u16string& data) override;

  // Deletes a key with all its subkeys; false when it was not there.
  static bool DeleteTree(HKEY root, const std::wstring& path);

 private:
  HKEY key_ = nullptr;
};

// RegistryRoot over HKEY_CURRENT_USER.
class CurrentUserRegistry : public RegistryRoot {
 public:
  std::unique_ptr<RegistryKey> OpenKey(const std::u16string& path) override;
  std::unique_ptr<RegistryKey> CreateKey(const std::u16string& path) override;
  bool DeleteKeyTree(const std::u16string& path) override;
};

// Values larger than this are not read at all (they fail like a missing value).
constexpr DWORD kMaxRegistryValueBytes = 64 * 1024;

}  // namespace zv
