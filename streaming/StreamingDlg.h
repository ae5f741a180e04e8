#pragma once
// The streaming dialog: the user types the complete address of a network
// stream, which the player then opens like a file. The address is exactly
// what was typed; it starts empty every time and is stored nowhere.
#include "framework/Dialog.h"

#include <string>

class LanguageTable;

class StreamingDlg : public fw::Dialog {
 public:
  // Without owner, as the player runs it; the language may be absent.
  explicit StreamingDlg(const LanguageTable* language, HWND parent = nullptr);

  // The address of the dialog that ended with OK.
  const std::wstring& Address() const { return address_; }

 protected:
  BOOL OnInitDialog() override;
  // Enter in the field is the Stream button.
  void OnOK() override { OnStream(); }

 private:
  FW_DECLARE_MESSAGE_MAP()
  void OnStream();

  const LanguageTable* language_;
  std::wstring address_;
};
