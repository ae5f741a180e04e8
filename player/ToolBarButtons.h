#pragma once
// The toolbar button table: the single source of the toolbar's pictures and
// tooltips. Each record ties a name (also the key of the "ToolBar" language
// section) to an index into the picture strips and the tooltip shown for it.
#include <cstddef>
#include <string>
#include <vector>

struct CToolBarButton {
  int imageIndex = 0;
  std::u16string name;
  std::u16string tooltip;
};

class CToolBarButtons {
 public:
  static constexpr size_t kMaxButtons = 100;

  // The 26 records of the player window, in their fixed order, with the
  // built-in German tooltips.
  static CToolBarButtons BuiltIn();

  // Appends a record; false (and nothing added) once the table is full.
  bool Add(const std::u16string& name, const std::u16string& tooltip, int imageIndex);

  // Lookups compare names code unit by code unit and take the first match.
  std::u16string TooltipOf(const std::u16string& name) const;  // empty when absent
  int ImageIndexOf(const std::u16string& name) const;          // 0 when absent
  bool SetTooltip(const std::u16string& name, const std::u16string& tooltip);  // false when absent
  std::u16string TooltipOfImage(int imageIndex) const;         // empty when absent

  size_t Count() const { return records_.size(); }
  const CToolBarButton& At(size_t i) const { return records_[i]; }

 private:
  const CToolBarButton* Find(const std::u16string& name) const;

  std::vector<CToolBarButton> records_;
};
