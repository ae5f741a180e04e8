#pragma once
// The five media opened last ("VideoHistory") and the resume position of
// each video ("Videos"), both under the program's root key. Both identify a
// file by its name part only, compared exactly.
#include "app/RegistryAccess.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zv {

constexpr int kRecentSlots = 5;

struct RecentMenuItem {
  int slot;             // 1 (newest) to 5; the menu command is 58000 + slot
  std::u16string name;  // text of the item
};

class RecentMedia {
 public:
  // rootKey: "Software\Ostrel-Software\Zentra-Vue" plus the product suffix.
  RecentMedia(RegistryRoot& registry, std::u16string rootKey);

  // The items of the recent sub-menu in slot order; slots without a name
  // value are skipped, the others keep their numbers.
  std::vector<RecentMenuItem> MenuItems() const;

  // Moves (or puts) the file to slot 1. Returns true when the menu must be
  // rebuilt (false when the file already was in slot 1 or nothing could be
  // written).
  bool Add(const std::u16string& namePart, const std::u16string& fullName);

  // The full name stored in a slot, if it can be read.
  std::optional<std::u16string> FullName(int slot) const;

  // Deletes the recent list; resume positions stay.
  void Clear();

  // Stores the position (hundredths of a second) as seconds with two decimals.
  void StoreResumePosition(const std::u16string& namePart, int32_t hundredths);
  // True when a position greater than 0 is stored for the file.
  bool HasResumePosition(const std::u16string& namePart) const;
  // Whole seconds of the stored position (the fraction is ignored); 0 when
  // none is stored.
  int32_t ResumeSeconds(const std::u16string& namePart) const;

 private:
  std::optional<std::u16string> ResumeText(const std::u16string& namePart) const;

  RegistryRoot& registry_;
  std::u16string historyKey_;
  std::u16string videosKey_;
};

// "%.2f" of hundredths / 100, with a point whatever the locale: 372345 → "3723.45".
std::u16string FormatResumeSeconds(int32_t hundredths);

// The name part of a path or address: the text after the last backslash or
// slash ("http://host/live/stream.ts" → "stream.ts"); an address that ends in
// a slash keeps its whole text, so it still has a name.
std::u16string NamePartOf(const std::u16string& fullName);

}  // namespace zv
