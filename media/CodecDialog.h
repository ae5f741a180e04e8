#pragma once
// The filter list dialog: the medium's duration and the filters of its graph
// that have property pages; a filter's pages open on a double click or with
// the properties button.
#include "framework/Dialog.h"

class CMedia;
class LanguageTable;

class CCodecDialog : public fw::Dialog {
 public:
  // The media object may be none; it is not owned.
  CCodecDialog(HWND parent, CMedia* media, const LanguageTable* language);

  // The media object went away while the dialog was open: the dialog
  // closes without touching it again.
  void ForgetMedia();

 protected:
  BOOL OnInitDialog() override;

 private:
  FW_DECLARE_MESSAGE_MAP()
  void OnProperties();
  void OnClose();

  CMedia* media_;
  const LanguageTable* language_;
};
