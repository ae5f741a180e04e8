#pragma once
// The General page: single instance, power management, toolbar position,
// process priority, screenshot folder and file type, window size, position
// and centring, and the monitor the player opens on. Its layout is taller
// than the page area, so it scrolls vertically.
#include "player/XPButton.h"
#include "settings/SettingsPage.h"

class CSettingsGeneral : public CSettingsPage {
 public:
  CSettingsGeneral(LanguageTable* language, CSettings* settings, HWND parent);
  ~CSettingsGeneral() override;

 protected:
  BOOL OnInitDialog() override;

 private:
  FW_DECLARE_MESSAGE_MAP()
  void OnControlChange();
  void OnStartupMonitorChange();
  void OnBrowse();
  LRESULT OnSize(WPARAM, LPARAM);
  LRESULT OnVScroll(WPARAM, LPARAM);
  LRESULT OnOtherCommand(WPARAM, LPARAM);

  // Writes every control's value into the working copy.
  void StoreControls();
  // Takes a folder from the chooser: an existing directory other than the
  // current one goes into the edit and the settings; one that does not exist
  // or cannot be reached gets a message and is not taken.
  void TakeChosenFolder(const std::wstring& path);

  // The range for the visible height; back at the top.
  void SetScrollRange(int visibleHeight);
  void ScrollTo(int position);
  // Scrolls so that a control that got the focus is wholly visible.
  void ScrollIntoView(HWND control);

  CXPButton browseButton_;
  HICON folderIcon_ = nullptr;
  int contentHeight_ = 0;  // the layout's full height, in pixels
  int scrollRange_ = 0;
  int scrollPos_ = 0;
};
