#include "app/WinRegistry.h"

#include "framework/WideString.h"

#include <vector>

namespace zv {

bool WinRegistryKey::Create(HKEY root, const std::wstring& path) {
  Close();
  HKEY key = nullptr;
  if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr,
                      &key, nullptr) != ERROR_SUCCESS)
    return false;
  key_ = key;
  return true;
}

bool WinRegistryKey::Open(HKEY root, const std::wstring& path) {
  Close();
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ | KEY_WRITE, &key) != ERROR_SUCCESS) return false;
  key_ = key;
  return true;
}

bool WinRegistryKey::OpenForReading(HKEY root, const std::wstring& path) {
  Close();
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  key_ = key;
  return true;
}

void WinRegistryKey::Close() {
  if (key_) RegCloseKey(key_);
  key_ = nullptr;
}

bool WinRegistryKey::QueryValue(const std::u16string& name, RegValue& value) {
  if (!key_) return false;
  const std::wstring wideName = fw::ToWide(name);
  DWORD type = 0;
  // Most values fit a small buffer: one query then instead of asking for
  // the size first (each query is a round trip to the registry's owner on
  // some platforms, and start-up reads some hundred values).
  std::vector<uint8_t> data(512);
  DWORD size = static_cast<DWORD>(data.size());
  LONG status = RegQueryValueExW(key_, wideName.c_str(), nullptr, &type, data.data(), &size);
  if (status == ERROR_MORE_DATA) {
    if (size > kMaxRegistryValueBytes) return false;
    data.resize(size);
    status = RegQueryValueExW(key_, wideName.c_str(), nullptr, &type, data.data(), &size);
  }
  if (status != ERROR_SUCCESS || size > data.size()) return false;
  data.resize(size);
  value.type = static_cast<RegType>(type);
  value.data = std::move(data);
  return true;
}

EnumResult WinRegistryKey::EnumValue(uint32_t index, std::u16string& name, RegValue& value) {
  if (!key_) return EnumResult::NoMoreItems;
  DWORD maxName = 0;
  DWORD maxData = 0;
  if (RegQueryInfoKeyW(key_, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &maxName, &maxData,
                       nullptr, nullptr) != ERROR_SUCCESS)
    return EnumResult::NoMoreItems;
  std::vector<wchar_t> nameBuffer(maxName + 2);
  std::vector<uint8_t> data(maxData > kMaxRegistryValueBytes ? kMaxRegistryValueBytes : maxData + 1);
  DWORD nameLength = static_cast<DWORD>(nameBuffer.size());
  DWORD type = 0;
  DWORD size = static_cast<DWORD>(data.size());
  const LONG status =
      RegEnumValueW(key_, index, nameBuffer.data(), &nameLength, nullptr, &type, data.data(), &size);
  if (status == ERROR_NO_MORE_ITEMS) return EnumResult::NoMoreItems;
  if (status != ERROR_SUCCESS) return EnumResult::Failed;
  name = fw::ToU16(std::wstring_view(nameBuffer.data(), nameLength));
  data.resize(size);
  value.type = static_cast<RegType>(type);
  value.data = std::move(data);
  return EnumResult::Ok;
}

std::optional<std::wstring> WinRegistryKey::ReadString(const std::wstring& name, size_t maxChars, LONG* error) {
  RegValue raw;
  if (!QueryValue(fw::ToU16(name), raw)) {
    if (error) *error = ERROR_FILE_NOT_FOUND;
    return std::nullopt;
  }
  std::optional<std::u16string> text = DecodeString(raw, maxChars);
  if (!text) {
    if (error) *error = ERROR_INVALID_DATA;
    return std::nullopt;
  }
  if (error) *error = ERROR_SUCCESS;
  return fw::ToWide(*text);
}

std::optional<uint32_t> WinRegistryKey::ReadDword(const std::wstring& name) {
  RegValue raw;
  if (!QueryValue(fw::ToU16(name), raw)) return std::nullopt;
  return DecodeDword(raw);
}

bool WinRegistryKey::WriteString(const std::wstring& name, const std::wstring& text) {
  if (!key_) return false;
  const DWORD bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
  return RegSetValueExW(key_, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), bytes) ==
         ERROR_SUCCESS;
}

bool WinRegistryKey::WriteDword(const std::wstring& name, uint32_t value) {
  if (!key_) return false;
  const DWORD data = value;
  return RegSetValueExW(key_, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof(data)) ==
         ERROR_SUCCESS;
}

bool WinRegistryKey::DeleteValue(const std::wstring& name) {
  return key_ && RegDeleteValueW(key_, name.c_str()) == ERROR_SUCCESS;
}

bool WinRegistryKey::Counts(DWORD* values, DWORD* subkeys) const {
  if (!key_) return false;
  return RegQueryInfoKeyW(key_, nullptr, nullptr, nullptr, subkeys, nullptr, nullptr, values, nullptr, nullptr,
                          nullptr, nullptr) == ERROR_SUCCESS;
}

bool WinRegistryKey::SetDword(const std::u16string& name, uint32_t data) {
  return WriteDword(fw::ToWide(name), data);
}

bool WinRegistryKey::SetString(const std::u16string& name, const std::u16string& data) {
  return WriteString(fw::ToWide(name), fw::ToWide(data));
}

bool WinRegistryKey::DeleteTree(HKEY root, const std::wstring& path) {
  return RegDeleteTreeW(root, path.c_str()) == ERROR_SUCCESS;
}

std::unique_ptr<RegistryKey> CurrentUserRegistry::OpenKey(const std::u16string& path) {
  auto key = std::make_unique<WinRegistryKey>();
  if (!key->Open(HKEY_CURRENT_USER, fw::ToWide(path))) return nullptr;
  return key;
}

std::unique_ptr<RegistryKey> CurrentUserRegistry::CreateKey(const std::u16string& path) {
  auto key = std::make_unique<WinRegistryKey>();
  if (!key->Create(HKEY_CURRENT_USER, fw::ToWide(path))) return nullptr;
  return key;
}

bool CurrentUserRegistry::DeleteKeyTree(const std::u16string& path) {
  return WinRegistryKey::DeleteTree(HKEY_CURRENT_USER, fw::ToWide(path));
}

}  // namespace zv
