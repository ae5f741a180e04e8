#pragma once
// The two image lists of the toolbar pictures (normal and hot), 16 x 16,
// 24-bit colour with a mask, filled from the strips IDB_TOOLBARNORMAL and
// IDB_TOOLBARHOVER. Shared by the toolbar and the mute button.
#include "framework/WinInclude.h"

#include <commctrl.h>

class CToolBarImages {
 public:
  static constexpr COLORREF kMaskColour = RGB(255, 0, 255);

  CToolBarImages() = default;
  CToolBarImages(const CToolBarImages&) = delete;
  CToolBarImages& operator=(const CToolBarImages&) = delete;
  ~CToolBarImages();

  // Loads both strips; false when either is missing.
  bool Load(HINSTANCE instance);

  HIMAGELIST Normal() const { return normal_; }
  HIMAGELIST Hover() const { return hover_; }

 private:
  HIMAGELIST normal_ = nullptr;
  HIMAGELIST hover_ = nullptr;
};
