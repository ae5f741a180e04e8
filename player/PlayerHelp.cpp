// The help commands of the player window: the About dialog and the
// donation page.
#include "player/ZentravueDlg.h"

#include "player/InfoDlg.h"

#include <shellapi.h>

void CZentravueDlg::OnAbout() {
  CInfoDlg about(hwnd_, language_);
  about.DoModal();
}

void CZentravueDlg::OnDonate() { OpenAddress(CInfoDlg::DonationPage()); }

void CZentravueDlg::OpenAddress(const std::wstring& address) {
  ShellExecuteW(hwnd_, L"open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}
