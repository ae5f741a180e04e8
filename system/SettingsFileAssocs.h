#pragma once
// The file association page of the settings dialog, one per category
// (video, audio, playlists): the category's file types with a check box
// each (ticked = associated), a field and button to add a type, and buttons
// to delete the selected types, to associate or unassociate the whole
// category and to restore the default table. Every change goes to the
// settings dialog's working copy and sets its FileAssociationsChanged; the
// associations themselves are applied when the dialog is confirmed.
#include "framework/Dialog.h"
#include "framework/SubclassedControl.h"
#include "player/XPButton.h"

class CSettings;
class LanguageTable;
struct CFileAssocs;

class CSettingsFileAssocs : public fw::Dialog {
 public:
  // settings: the settings dialog's working copy; category: 2 video,
  // 4 audio, 8 playlists. Created with CreateModeless() as a child of parent.
  CSettingsFileAssocs(LanguageTable* language, CSettings* settings, HWND parent, int category);
  ~CSettingsFileAssocs() override;

  int Category() const { return category_; }

  // Page operations, also reached through the page's buttons.
  void Fill();
  void AddFromEdit();
  void DeleteSelected();
  void AssociateCategory();
  void UnassociateCategory();
  void RestoreDefaults();

 protected:
  BOOL OnInitDialog() override;
  // Enter and Escape belong to the settings dialog, not to the page.
  void OnOK() override {}
  void OnCancel() override {}

 private:
  FW_DECLARE_MESSAGE_MAP()
  LRESULT OnItemChanged(NMHDR* header);
  LRESULT OnTooltipText(WPARAM, LPARAM);

  // The edit field adds on Enter instead of passing it to the dialog.
  class AddField : public fw::SubclassedControl {
   public:
    explicit AddField(CSettingsFileAssocs& page) : page_(page) {}

   private:
    FW_DECLARE_MESSAGE_MAP()
    LRESULT OnGetDlgCode(WPARAM, LPARAM);
    LRESULT OnKeyDown(WPARAM, LPARAM);
    LRESULT OnChar(WPARAM, LPARAM);
    CSettingsFileAssocs& page_;
  };

  void MakeChildPage();
  void AddButtonIcons();
  void AddTooltips();
  void Changed();
  CFileAssocs* NodeOfRow(int row) const;

  LanguageTable* language_;
  CSettings* settings_;
  int category_;
  HWND list_ = nullptr;
  HWND tooltip_ = nullptr;
  bool filling_ = false;
  AddField addField_{*this};
  CXPButton buttons_[4];
  HICON icons_[4] = {};
};
