#pragma once
// The two image lists of the toolbar pictures (normal and hot), 24-bit colour
// with a mask, filled from a pair of strips: 16 x 16 (IDB_TOOLBARNORMAL,
// IDB_TOOLBARHOVER), or at a higher density 24 x 24 or 32 x 32 (the *24 and
// *32 strips). Shared by the toolbar and the mute button.
#include "framework/WinInclude.h"

#include <commctrl.h>

class CToolBarImages {
 public:
  static constexpr COLORREF kMaskColour = RGB(255, 0, 255);

  CToolBarImages() = default;
  CToolBarImages(const CToolBarImages&) = delete;
  CToolBarImages& operator=(const CToolBarImages&) = delete;
  ~CToolBarImages();

  // Loads both strips of the size the density calls for; false when either
  // is missing (lists loaded before are then kept). Lists of another size are
  // replaced and destroyed: whoever shows them must take the new ones before
  // it paints again. Lists of the same size are kept.
  bool Load(HINSTANCE instance, int dpi = 96);

  HIMAGELIST Normal() const { return normal_; }
  HIMAGELIST Hover() const { return hover_; }
  // Width and height of one picture; 0 before Load.
  int Size() const { return size_; }

 private:
  HIMAGELIST normal_ = nullptr;
  HIMAGELIST hover_ = nullptr;
  int size_ = 0;
};
