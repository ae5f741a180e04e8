#pragma once
// The player window's toolbar: 22 slots of 23 x 22 buttons (at 96 dpi; in
// proportion at other densities) with the pictures of the image lists (16 x 16
// at 96 dpi), docked at the top (with a border line on its
// lower edge) or at the bottom above the status bar (line on its upper edge).
// Its tooltips live in a separate tooltip control of the owner, one tool per
// button: the button's rectangle and its text.
#include "framework/SubclassedControl.h"

#include <commctrl.h>

#include <map>
#include <string>

class CToolBarButtons;
class CToolBarImages;

class CToolBar : public fw::SubclassedControl {
 public:
  ~CToolBar() override;

  // Creates the toolbar, or re-creates it on the other side: the new one
  // takes each button's state, picture and tooltip from the old one and
  // stays hidden when the old one was hidden; then the old one goes. Place
  // it with Dock afterwards. The table and the images must outlive the bar.
  bool Create(HWND owner, bool atTop, const CToolBarButtons& table, const CToolBarImages& images);

  bool AtTop() const { return atTop_; }
  // The owner's tooltip control that holds a tool per button; made on first use.
  HWND Tooltip();

  // Puts the bar across the owner's client width, at the top or just above
  // a status bar of the given height, as high as its (possibly wrapped) rows
  // need. Returns that height; 0 while the bar is hidden.
  int Dock(int clientWidth, int clientHeight, int statusBarHeight);
  // Height the rows need at the current width, border line included.
  int NeededHeight() const;

  // Changes a button's picture and re-adds its tool with the text.
  void SetButtonPicture(int command, int imageIndex, const std::wstring& tooltip);
  // Enabled, or greyed (the indeterminate state) while the command needs media.
  void SetButtonState(int command, bool enabled);
  // Shown pressed (checked) or not; a click does not change it by itself.
  void SetButtonChecked(int command, bool checked);

  bool IsButtonEnabled(int command) const;
  bool IsButtonChecked(int command) const;
  int ButtonImage(int command) const;
  // The button's data value: the image index of the record that gave its first tooltip.
  int ButtonData(int command) const;
  std::wstring ButtonTooltip(int command) const;
  int ButtonCount() const;

  // After a translation: every button's tool gets the table's tooltip of
  // the record whose image index equals the button's data value.
  void ReloadTooltips(const CToolBarButtons& table);

 private:
  FW_DECLARE_MESSAGE_MAP()
  LRESULT OnNcCalcSize(WPARAM, LPARAM);
  LRESULT OnNcPaint(WPARAM, LPARAM);
  bool OnRawMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  void EnsureTooltip();

  HWND CreateBar(HWND owner, bool atTop, const CToolBarButtons& table, const CToolBarImages& images) const;
  void CopyButtonsFrom(HWND old);
  void SetTool(int command, const std::wstring& text);
  // The tool's rectangle follows its button (after docking and wrapping).
  void MoveTool(int command);
  void RemoveTool(HWND bar, int command);

  HWND owner_ = nullptr;
  HWND tooltip_ = nullptr;
  bool atTop_ = true;
  std::map<int, std::wstring> tooltips_;
};
