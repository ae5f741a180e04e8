#include "player/ZentravueDlg.h"

#include "app/ZentravueApp.h"
#include "res/resource.h"

FW_BEGIN_MESSAGE_MAP(CZentravueDlg, fw::Dialog)
  FW_ON_MESSAGE(WM_CLOSE, OnClose)
FW_END_MESSAGE_MAP()

CZentravueDlg::CZentravueDlg(HWND parent) : fw::Dialog(IDD_ZENTRAVUE_DIALOG, parent) {}

BOOL CZentravueDlg::OnInitDialog() {
  HINSTANCE instance = fw::ResourceInstance();
  bigIcon_ = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON,
                                           GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
  smallIcon_ = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
  SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_));
  SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
  SetText(kAppName);
  ShowWindow(hwnd_, SW_SHOW);
  return TRUE;
}

// Escape must not close the player; only closing the window does.
void CZentravueDlg::OnCancel() {}

LRESULT CZentravueDlg::OnClose(WPARAM, LPARAM) {
  EndDialog(IDCANCEL);
  return 0;
}
