#pragma once
// The settings dialog: a tree of categories on the left, a coloured title
// line and one page at a time on the right. Every page edits the dialog's
// working copy of the settings; OK hands the copy back to the player's
// settings (change flags included), Cancel throws it away.
#include "app/Settings.h"
#include "framework/Dialog.h"
#include "framework/Handle.h"
#include "player/XPButton.h"

#include <commctrl.h>

#include <memory>
#include <string>

class LanguageTable;

class CSettingsDialog : public fw::Dialog {
 public:
  // The tree's nodes, in the order they are inserted.
  enum Node {
    kGeneral,
    kVideo,
    kLanguage,
    kFileAssociations,
    kVideoFiles,
    kAudioFiles,
    kPlaylists,
    kPlayback,
    kDvd,
    kStreaming,
    kDreambox,
    kVdr,
    kNodeCount
  };

  CSettingsDialog(LanguageTable* language, CSettings* playerSettings, HWND playerWindow);
  ~CSettingsDialog() override;

  // In fullscreen the video covers the screen as a topmost window; the
  // dialog then has to be topmost too to be seen. Call before running it.
  void SetTopmost(bool topmost) { topmost_ = topmost; }

  CSettings& WorkingCopy() { return workingCopy_; }
  // The page now shown, or none.
  fw::Dialog* CurrentPage() const { return currentPage_.get(); }
  HTREEITEM TreeItem(Node node) const { return treeItems_[node]; }
  // The OK button shows the shield: OK will ask for administrator rights.
  bool ShieldShown() const { return shieldShown_ != 0; }

 protected:
  BOOL OnInitDialog() override;
  // Enter and Escape, from anywhere in the dialog and its pages.
  void OnOK() override;
  void OnCancel() override;

 private:
  FW_DECLARE_MESSAGE_MAP()
  void OnButtonOk();
  void OnButtonCancel();
  LRESULT OnTreeSelectionChanged(NMHDR* header);
  LRESULT OnTimer(WPARAM, LPARAM);
  LRESULT OnControlColourStatic(WPARAM, LPARAM);
  LRESULT OnDestroy(WPARAM, LPARAM);

  void CreateFonts();
  // The title's font: 14 points, or smaller where a long text would not fit.
  void FitTitleFont();
  void InsertNodes();
  std::wstring NodeText(Node node) const;
  // Builds the page of a node; none for a node without a page of its own.
  std::unique_ptr<fw::Dialog> CreatePage(Node node);
  void ShowNode(Node node);
  // Puts the current page below the title, as wide as the title, ending
  // level with the bottom of the tree.
  void PlacePage();

  struct IconTraits {
    static HICON Invalid() { return nullptr; }
    static void Close(HICON h) { DestroyIcon(h); }
  };

  HWND title_ = nullptr;
  HWND tree_ = nullptr;
  CSettings workingCopy_{0};
  CSettings* playerSettings_;
  HWND playerWindow_;
  fw::GdiObject titleFont_;
  int titlePoints_ = 0;
  fw::GdiObject treeFont_;
  fw::GdiObject titleBrush_;
  std::unique_ptr<fw::Dialog> currentPage_;
  HTREEITEM treeItems_[kNodeCount] = {};
  LanguageTable* language_;
  fw::UniqueHandle<HICON, IconTraits> shieldIcon_;
  CXPButton okButton_;
  int shieldShown_ = 0;
  // Asked once, when associations have changed.
  int associationService_ = -1;
  bool topmost_ = false;
};
