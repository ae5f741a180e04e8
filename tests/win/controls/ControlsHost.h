#pragma once
// A top-level test window laid out like the player window's bar row: the
// toolbar at the top, an empty video area, then the position bar, the
// volume bar and the mute button. It records what the controls send.
#include "framework/Window.h"
#include "player/ImageButton.h"
#include "player/ToolBar.h"
#include "player/ToolBarButtons.h"
#include "player/ToolBarImages.h"
#include "player/ZentSliderCtrl.h"

#include <vector>

struct ScrollNote {
  int code;
  int position;
  HWND bar;
};

class ControlsHost : public fw::CustomWindow {
 public:
  // Opens the window with the given client size at (40, 40), shown.
  bool Open(int clientWidth, int clientHeight);
  void Layout();
  // Handles everything already queued for this thread.
  static void Pump();

  CToolBarImages images;
  CToolBarButtons table = CToolBarButtons::BuiltIn();
  CToolBar toolBar;
  CZentSliderCtrl position;
  CZentSliderCtrl volume;
  CImageButton mute;
  HWND statusBar = nullptr;
  std::vector<ScrollNote> scrolls;
  std::vector<int> commands;
  int toolBarHeight = 0;

 private:
  FW_DECLARE_MESSAGE_MAP()
  LRESULT OnHScroll(WPARAM, LPARAM);
  LRESULT OnCommand(WPARAM, LPARAM);
  LRESULT OnSize(WPARAM, LPARAM);
};
