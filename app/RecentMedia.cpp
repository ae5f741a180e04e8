#include "app/RecentMedia.h"

#include "app/TextUtil.h"

#include <utility>

namespace zv {

namespace {

std::u16string SlotValueName(int slot, const char* suffix) {
  return Widen(std::to_string(slot).c_str()) + Widen(suffix);
}

// With the room the value needs: a full path may be longer than the 260
// characters of a classic path, and must still move down the list whole.
std::optional<std::u16string> ReadString(RegistryKey& key, const std::u16string& name) {
  RegValue value;
  if (!key.QueryValue(name, value)) return std::nullopt;
  return DecodeString(value, value.data.size() / 2 + 1);
}

}  // namespace

RecentMedia::RecentMedia(RegistryRoot& registry, std::u16string rootKey)
    : registry_(registry), historyKey_(rootKey + u"\\VideoHistory"), videosKey_(rootKey + u"\\Videos") {}

std::vector<RecentMenuItem> RecentMedia::MenuItems() const {
  std::vector<RecentMenuItem> items;
  std::unique_ptr<RegistryKey> key = registry_.OpenKey(historyKey_);
  if (!key) return items;
  for (int slot = 1; slot <= kRecentSlots; ++slot) {
    if (auto name = ReadString(*key, SlotValueName(slot, "_Name"))) items.push_back({slot, std::move(*name)});
  }
  return items;
}

bool RecentMedia::Add(const std::u16string& namePart, const std::u16string& fullName) {
  std::unique_ptr<RegistryKey> key = registry_.CreateKey(historyKey_);
  if (!key) return false;
  int match = 0;
  for (int slot = 1; slot <= kRecentSlots && match == 0; ++slot) {
    auto name = ReadString(*key, SlotValueName(slot, "_Name"));
    if (name && *name == namePart) match = slot;
  }
  if (match == 1) {
    key->SetString(u"1_FullFilename", fullName);
    return false;
  }
  const int lastToMove = match > 1 ? match - 1 : kRecentSlots - 1;
  for (int slot = lastToMove; slot >= 1; --slot) {
    if (auto name = ReadString(*key, SlotValueName(slot, "_Name")))
      key->SetString(SlotValueName(slot + 1, "_Name"), *name);
    if (auto full = ReadString(*key, SlotValueName(slot, "_FullFilename")))
      key->SetString(SlotValueName(slot + 1, "_FullFilename"), *full);
  }
  key->SetString(u"1_Name", namePart);
  key->SetString(u"1_FullFilename", fullName);
  return true;
}

std::optional<std::u16string> RecentMedia::FullName(int slot) const {
  if (slot < 1 || slot > kRecentSlots) return std::nullopt;
  std::unique_ptr<RegistryKey> key = registry_.OpenKey(historyKey_);
  if (!key) return std::nullopt;
  return ReadString(*key, SlotValueName(slot, "_FullFilename"));
}

void RecentMedia::Clear() { registry_.DeleteKeyTree(historyKey_); }

void RecentMedia::StoreResumePosition(const std::u16string& namePart, int32_t hundredths) {
  if (std::unique_ptr<RegistryKey> key = registry_.CreateKey(videosKey_))
    key->SetString(namePart, FormatResumeSeconds(hundredths));
}

std::optional<std::u16string> RecentMedia::ResumeText(const std::u16string& namePart) const {
  std::unique_ptr<RegistryKey> key = registry_.OpenKey(videosKey_);
  if (!key) return std::nullopt;
  return ReadString(*key, namePart);
}

bool RecentMedia::HasResumePosition(const std::u16string& namePart) const {
  auto text = ResumeText(namePart);
  if (!text) return false;
  auto value = ReadDecimal(*text);
  return value && *value > 0;
}

int32_t RecentMedia::ResumeSeconds(const std::u16string& namePart) const {
  auto text = ResumeText(namePart);
  if (!text) return 0;
  const int32_t seconds = ReadInt(*text);
  return seconds > 0 ? seconds : 0;
}

std::u16string FormatResumeSeconds(int32_t hundredths) {
  const int64_t value = hundredths;
  const bool negative = value < 0;
  const int64_t magnitude = negative ? -value : value;
  std::string text = (negative ? "-" : "") + std::to_string(magnitude / 100) + ".";
  const int64_t fraction = magnitude % 100;
  if (fraction < 10) text += '0';
  text += std::to_string(fraction);
  return Widen(text.c_str());
}

std::u16string NamePartOf(const std::u16string& fullName) {
  const size_t slash = fullName.find_last_of(u"\\/");
  if (slash == std::u16string::npos) return fullName;
  if (slash + 1 == fullName.size()) return fullName;
  return fullName.substr(slash + 1);
}

}  // namespace zv
