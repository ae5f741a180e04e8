#include "player/ToolBarImages.h"

#include "framework/Handle.h"
#include "player/LayoutMath.h"
#include "res/resource.h"

namespace {

HIMAGELIST LoadStrip(HINSTANCE instance, int id, int size) {
  fw::GdiObject strip(LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!strip) return nullptr;
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

bool CToolBarImages::Load(HINSTANCE instance, int dpi) {
  const int size = zv::layout::ToolBarImageSizeFor(dpi);
  if (size == size_ && normal_ && hover_) return true;
  int normalId = IDB_TOOLBARNORMAL;
  int hoverId = IDB_TOOLBARHOVER;
  if (size == 24) {
    normalId = IDB_TOOLBARNORMAL24;
    hoverId = IDB_TOOLBARHOVER24;
  } else if (size == 32) {
    normalId = IDB_TOOLBARNORMAL32;
    hoverId = IDB_TOOLBARHOVER32;
  }
  HIMAGELIST normal = LoadStrip(instance, normalId, size);
  HIMAGELIST hover = normal ? LoadStrip(instance, hoverId, size) : nullptr;
  if (!normal || !hover) {
    if (normal) ImageList_Destroy(normal);
    return false;
  }
  if (normal_) ImageList_Destroy(normal_);
  if (hover_) ImageList_Destroy(hover_);
  normal_ = normal;
  hover_ = hover;
  size_ = size;
  return true;
}
