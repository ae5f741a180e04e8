#include "player/ZentravueDlg.h"

#include "app/DebugDlg.h"
#include "app/HandOverItems.h"
#include "app/PrivateMessages.h"
#include "app/ProductName.h"
#include "app/Settings.h"
#include "app/ZentravueApp.h"
#include "framework/WideString.h"
#include "res/resource.h"

FW_BEGIN_MESSAGE_MAP(CZentravueDlg, fw::Dialog)
  FW_ON_MESSAGE(WM_CLOSE, OnClose)
  FW_ON_MESSAGE(kMsgHandOver, OnHandOver)
FW_END_MESSAGE_MAP()

CZentravueDlg::CZentravueDlg(HWND parent, CCmdLineInfo* cmdLine, LanguageTable* language, CSettings* settings)
    : fw::Dialog(IDD_ZENTRAVUE_DIALOG, parent),
      cmdLine_(cmdLine ? cmdLine : &ownCmdLine_),
      language_(language),
      settings_(settings),
      lastHandOverTime_(GetTickCount64()) {}

CZentravueDlg::~CZentravueDlg() = default;

UINT CZentravueDlg::TestQueryMessage() {
  static const UINT message = RegisterWindowMessageW(L"Zentravue.TestHook.PlayerQuery");
  return message;
}

BOOL CZentravueDlg::OnInitDialog() {
  if (settings_) settings_->OwnerWindow = hwnd_;
  HINSTANCE instance = fw::ResourceInstance();
  bigIcon_ = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON,
                                           GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
  smallIcon_ = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
  SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_));
  SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
  SetText(zv::AppName());

  if (cmdLine_->Debug) {
    debugDlg_ = std::make_unique<CDebugDlg>(zv::ProgramFolder() + zv::AppName() + L".log", hwnd_);
    if (!debugDlg_->CreateModeless()) debugDlg_.reset();
  }
  ApplyCommandLineOptions();
  ShowWindow(hwnd_, SW_SHOW);
  // The trace window goes to the top-left corner of the screen, in front of
  // the player, so that it does not hide the video.
  if (debugDlg_)
    SetWindowPos(debugDlg_->hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
  return TRUE;
}

// Escape must not close the player; only closing the window does.
void CZentravueDlg::OnCancel() {}

LRESULT CZentravueDlg::OnClose(WPARAM, LPARAM) {
  debugDlg_.reset();
  EndDialog(IDCANCEL);
  return 0;
}

void CZentravueDlg::ApplyCommandLineOptions() {}

int CZentravueDlg::AddToPlaylist(const std::wstring& name) {
  playlist_.push_back(name);
  return static_cast<int>(playlist_.size());
}

void CZentravueDlg::PlayEntry(int entry) { playedEntries_.push_back(entry); }

LRESULT CZentravueDlg::OnHandOver(WPARAM wParam, LPARAM lParam) {
  // The code travels as a 32-bit number; a 32-bit sender's -1 arrives
  // without its upper bits. Anything else outside the table is ignored.
  if (wParam > 0xFFFFFFFFu && wParam != static_cast<WPARAM>(-1)) return 0;
  const int32_t code = static_cast<int32_t>(static_cast<uint32_t>(wParam));
  if (code == zv::kHandOverEnd) {
    if (lParam == 0) ApplyHandOver();
    return 0;
  }
  if (zv::FindHandOverText(code)) {
    ReceiveHandOverText(code, static_cast<ATOM>(lParam));
    return 0;
  }
  if (const zv::HandOverFlag* item = zv::FindHandOverFlag(code)) cmdLine_->*item->flag = lParam != 0;
  return 0;
}

void CZentravueDlg::ReceiveHandOverText(int code, ATOM atom) {
  wchar_t buffer[zv::kMaxAtomChars + 1] = {};
  const UINT length = atom ? GlobalGetAtomNameW(atom, buffer, static_cast<int>(std::size(buffer))) : 0;
  if (length > 0) GlobalDeleteAtom(atom);
  const std::wstring text(buffer, length);
  if (code == zv::kHandOverMediaName) {
    handedOverEntry_ = text.empty() ? -1 : AddToPlaylist(text);
    return;
  }
  const zv::HandOverText* item = zv::FindHandOverText(code);
  (cmdLine_->*item->set)(fw::ToU16(text));
}

void CZentravueDlg::ApplyHandOver() {
  ApplyCommandLineOptions();
  // When the shell starts one instance per selected file, the first file
  // plays and the following ones arrive within the double-click time: they
  // are only appended.
  const ULONGLONG now = GetTickCount64();
  const bool withinDoubleClick = now - lastHandOverTime_ <= GetDoubleClickTime();
  if (!withinDoubleClick && handedOverEntry_ != -1) PlayEntry(handedOverEntry_);
  ShowWindow(hwnd_, SW_RESTORE);
  ShowWindow(hwnd_, SW_SHOW);
  lastHandOverTime_ = GetTickCount64();
  ++handOversApplied_;
}

bool CZentravueDlg::OnRawMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (message != TestQueryMessage() || message == 0) return false;
  *result = OnTestQuery(wParam, lParam);
  return true;
}

static LRESULT TextAnswer(const std::wstring& text) {
  if (text.empty() || text.size() > zv::kMaxAtomChars) return 0;
  return GlobalAddAtomW(text.c_str());
}

LRESULT CZentravueDlg::OnTestQuery(WPARAM question, LPARAM argument) {
  const auto index = static_cast<size_t>(argument - 1);
  switch (static_cast<PlayerTestQuery>(question)) {
    case PlayerTestQuery::PlaylistCount:
      return static_cast<LRESULT>(playlist_.size());
    case PlayerTestQuery::PlaylistEntry:
      return argument >= 1 && index < playlist_.size() ? TextAnswer(playlist_[index]) : 0;
    case PlayerTestQuery::PlayedCount:
      return static_cast<LRESULT>(playedEntries_.size());
    case PlayerTestQuery::PlayedEntry:
      return argument >= 1 && index < playedEntries_.size() ? playedEntries_[index] : 0;
    case PlayerTestQuery::HandOversApplied:
      return handOversApplied_;
    case PlayerTestQuery::CommandLineFlag: {
      const zv::HandOverFlag* item = zv::FindHandOverFlag(static_cast<int32_t>(argument));
      return item && cmdLine_->*item->flag ? 1 : 0;
    }
    case PlayerTestQuery::CommandLineText: {
      const zv::HandOverText* item = zv::FindHandOverText(static_cast<int32_t>(argument));
      return item ? TextAnswer(fw::ToWide((cmdLine_->*item->get)())) : 0;
    }
    case PlayerTestQuery::TraceLogOpen:
      return debugDlg_ && debugDlg_->IsCreated() ? 1 : 0;
  }
  return 0;
}
