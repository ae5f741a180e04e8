#include "player/ToolBarImages.h"

#include "framework/Handle.h"
#include "player/LayoutMath.h"
#include "res/resource.h"

namespace {

HIMAGELIST LoadStrip(HINSTANCE instance, int id) {
  fw::GdiObject strip(LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!strip) return nullptr;
  const int size = zv::layout::kToolBarImageSize;
  HIMAGELIST list = ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, 0, 0);
  if (!list) return nullptr;
  if (ImageList_AddMasked(list, static_cast<HBITMAP>(strip.get()), CToolBarImages::kMaskColour) < 0) {
    ImageList_Destroy(list);
    return nullptr;
  }
  return list;
}

}  // namespace

CToolBarImages::~CToolBarImages() {
  if (normal_) ImageList_Destroy(normal_);
  if (hover_) ImageList_Destroy(hover_);
}

bool CToolBarImages::Load(HINSTANCE instance) {
  if (!normal_) normal_ = LoadStrip(instance, IDB_TOOLBARNORMAL);
  if (!hover_) hover_ = LoadStrip(instance, IDB_TOOLBARHOVER);
  return normal_ && hover_;
}
