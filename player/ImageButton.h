#pragma once
// The mute button: an owner-drawn push button that shows one picture of the
// toolbar strips, from the hover strip while the mouse is over it, and a
// tooltip of its own. Clicks reach the parent as ordinary BN_CLICKED.
#include "framework/SubclassedControl.h"

#include <commctrl.h>

#include <string>

class CImageButton : public fw::SubclassedControl {
 public:
  static constexpr UINT_PTR kHoverTimer = 100;  // ID_ImageButton_Timer
  static constexpr UINT kHoverPeriodMs = 100;

  ~CImageButton() override;

  // Creates the button (BS_OWNERDRAW, visible). The image lists stay owned
  // by the caller and must outlive the button.
  bool Create(HWND parent, int id, const RECT& rect, HIMAGELIST normal, HIMAGELIST hover);
  bool Attach(HWND button, HIMAGELIST normal, HIMAGELIST hover);

  // Other lists (pictures of another size); redraws.
  void SetImageLists(HIMAGELIST normal, HIMAGELIST hover);
  void SetImageIndex(int index);  // redraws
  int ImageIndex() const { return imageIndex_; }
  void SetTooltipText(const std::wstring& text);
  const std::wstring& TooltipText() const { return tooltipText_; }

  bool IsHovering() const { return hover_; }
  HWND Tooltip() const { return tooltip_; }

 private:
  FW_DECLARE_MESSAGE_MAP()
  bool OnRawMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  LRESULT OnMouseMove(WPARAM, LPARAM);
  LRESULT OnTimer(WPARAM, LPARAM);
  LRESULT OnPaint(WPARAM, LPARAM);
  LRESULT OnEraseBackground(WPARAM, LPARAM);
  LRESULT OnSetState(WPARAM, LPARAM);
  LRESULT OnNcDestroy(WPARAM, LPARAM);

  void EnsureTooltip();
  void Draw(HDC dc);

  HIMAGELIST normal_ = nullptr;
  HIMAGELIST hoverList_ = nullptr;
  int imageIndex_ = 0;
  bool hover_ = false;
  std::wstring tooltipText_;
  HWND tooltip_ = nullptr;
};
