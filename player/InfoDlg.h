#pragma once
// Help > About: the program's name and build, the maker's web site and mail
// address as links, the credits, the program's licence and the licence
// notices of the libraries it contains (also in THIRD-PARTY-NOTICES.txt
// beside the program).
#include "framework/Dialog.h"
#include "framework/Handle.h"
#include "player/Hyperlink.h"

#include <string>

class LanguageTable;

class CInfoDlg : public fw::Dialog {
 public:
  CInfoDlg(HWND parent, const LanguageTable* language);

  // The maker's addresses.
  static const wchar_t* WebSite();
  static const wchar_t* MailAddress();
  static std::wstring DonationPage();

  // "Build\t: " and the version text; " for AMD64/EM64T (x64)" on the native
  // 64-bit build.
  static std::wstring VersionLine(const LanguageTable* language);
  // The notices resource as text.
  static std::wstring NoticesText();

 protected:
  BOOL OnInitDialog() override;

 private:
  std::wstring Text(const char16_t* key, const wchar_t* fallback) const;

  const LanguageTable* language_;
  CHyperlink webLink_;
  CHyperlink mailLink_;
  CHyperlink noticeFileLink_;
  fw::GdiObject titleFont_;
};
