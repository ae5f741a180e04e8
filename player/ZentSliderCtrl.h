#pragma once
// The position bar and the volume bar: a track bar on which every click
// jumps to the clicked point and dragging follows the mouse. The parent gets
// WM_HSCROLL (WM_VSCROLL for a vertical bar) with the position in the upper
// half of wParam and the bar in lParam: code 5 (thumb track) for every
// change while the button is held, code 4 (thumb position) once at the end
// of a drag that changed the position. wParam holds only 16 bits of the
// position; a parent whose range is larger reads GetPos instead.
#include "framework/SubclassedControl.h"

#include <commctrl.h>

class CZentSliderCtrl : public fw::SubclassedControl {
 public:
  // Creates the track bar (TBS_HORZ plus the given styles, such as
  // TBS_ENABLESELRANGE or TBS_BOTH | TBS_NOTICKS) with the classic look, on
  // which a selection range shows as a band rather than two ticks.
  bool Create(HWND parent, int id, DWORD style, const RECT& rect);
  // Takes over an existing track bar (from a dialog template).
  bool Attach(HWND trackBar);

  int GetPos() const;
  void SetPos(int position);
  int RangeMin() const;
  int RangeMax() const;
  void SetRange(int rangeMin, int rangeMax, bool redraw = true);
  void SetPageSize(int size);
  // The selection is kept here too and given to the bar again after every
  // size change: the bar forgets one set while it is 0 x 0.
  void SetSelection(int start, int end);
  void ClearSelection();

  bool IsDragging() const { return dragging_; }

 private:
  FW_DECLARE_MESSAGE_MAP()
  LRESULT OnLButtonDown(WPARAM, LPARAM);
  LRESULT OnMouseMove(WPARAM, LPARAM);
  LRESULT OnLButtonUp(WPARAM, LPARAM);
  LRESULT OnCaptureChanged(WPARAM, LPARAM);
  LRESULT OnSize(WPARAM, LPARAM);

  bool IsVertical() const;
  // Moves the thumb under the point; true when the position changed.
  bool SetPosFromPoint(LPARAM point);
  void Notify(int code) const;
  void EndDrag();

  bool dragging_ = false;
  bool moved_ = false;
  bool hasSelection_ = false;
  int selectionStart_ = 0;
  int selectionEnd_ = 0;
};
