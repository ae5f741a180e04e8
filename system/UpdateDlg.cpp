#include "system/UpdateDlg.h"

#include "framework/WideString.h"
#include "lang/DialogTranslation.h"
#include "lang/LanguageTable.h"
#include "res/resource.h"
#include "system/UpdateWorker.h"

#include <commctrl.h>

#include <utility>

namespace {

constexpr UINT kTimerPeriodMs = 40;
// How long a cancel waits for the worker before the dialog closes anyway.
constexpr DWORD kWorkerWaitMs = 3000;

}  // namespace

FW_BEGIN_MESSAGE_MAP(CUpdateDlg, fw::Dialog)
  FW_ON_MESSAGE(WM_PAINT, OnPaint)
  FW_ON_MESSAGE(WM_TIMER, OnTimer)
  FW_ON_MESSAGE(WM_DESTROY, OnDestroy)
  FW_ON_COMMAND(IDC_BUTTON_ABBRECHEN, OnButton)
FW_END_MESSAGE_MAP()

CUpdateDlg::CUpdateDlg(HWND parent, LanguageTable* languageTable, zv::UpdateConfig config)
    : fw::Dialog(IDD_UPDATE_DIALOG, parent), language(languageTable), config_(std::move(config)) {}

CUpdateDlg::~CUpdateDlg() {
  if (shared_) {
    shared_->Running = 0;
    shared_->Abort();
  }
}

int CUpdateDlg::Running() const { return shared_ ? shared_->Running.load() : 0; }
int CUpdateDlg::Step() const { return shared_ ? shared_->Step.load() : zv::kStepBusy; }
bool CUpdateDlg::WorkerFinished() const { return shared_ && shared_->Finished; }

BOOL CUpdateDlg::OnInitDialog() {
  HWND list = Item(IDC_LIST_HISTORY);
  ListView_SetExtendedListViewStyle(list, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  const struct {
    const char16_t* key;
    int width;
  } columns[] = {{u"BUILD", 50}, {u"TYPE", 70}, {u"DETAILS", 2000}};
  for (int i = 0; i < 3; ++i) {
    std::wstring title = language ? fw::ToWide(language->Message(columns[i].key)) : std::wstring();
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = title.data();
    column.cx = columns[i].width;
    column.iSubItem = i;
    ListView_InsertColumn(list, i, &column);
  }
  SetItemText(IDC_TXT_STATUS, L"");
  zv::TranslateDialog(hwnd_, language, u"IDD_UPDATE_DIALOG");
  shared_ = std::make_shared<zv::UpdateShared>(config_, zv::UpdateTexts::From(language));
  return TRUE;
}

LRESULT CUpdateDlg::OnPaint(WPARAM, LPARAM) {
  PAINTSTRUCT paint;
  BeginPaint(hwnd_, &paint);
  EndPaint(hwnd_, &paint);
  if (!started_) StartWorker();
  return 0;
}

void CUpdateDlg::StartWorker() {
  started_ = true;
  shared_->Running = 1;
  worker_ = zv::StartUpdateWorker(shared_);
  SetTimer(hwnd_, ID_Update_Timer, kTimerPeriodMs, nullptr);
}

LRESULT CUpdateDlg::OnTimer(WPARAM id, LPARAM) {
  if (id != ID_Update_Timer || !shared_) return 0;
  ShowWorkerState();
  if (shared_->CloseWithOk) {
    shared_->CloseWithOk = 0;
    shared_->Running = 0;
    WaitForWorker();
    EndDialog(IDOK);
  }
  return 0;
}

void CUpdateDlg::ShowWorkerState() {
  if (shared_->Changes() == shownChanges_) return;
  const zv::UpdateShared::View view = shared_->Snapshot();
  shownChanges_ = view.changes;
  if (ItemText(IDC_TXT_STATUS) != fw::ToWide(view.status)) SetItemText(IDC_TXT_STATUS, fw::ToWide(view.status));
  if (!view.button.empty() && ItemText(IDC_BUTTON_ABBRECHEN) != fw::ToWide(view.button))
    SetItemText(IDC_BUTTON_ABBRECHEN, fw::ToWide(view.button));
  HWND progress = Item(IDC_PROGRESS1);
  SendMessageW(progress, PBM_SETRANGE32, 0, static_cast<LPARAM>(view.progressRange));
  SendMessageW(progress, PBM_SETPOS, static_cast<WPARAM>(view.progressPosition), 0);
  if (view.history.size() == shownRows_) return;
  HWND list = Item(IDC_LIST_HISTORY);
  ListView_DeleteAllItems(list);
  int row = 0;
  for (const zv::HistoryRow& entry : view.history) {
    std::wstring build = fw::ToWide(entry.build);
    std::wstring type = fw::ToWide(entry.type);
    std::wstring details = fw::ToWide(entry.details);
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = build.data();
    const int inserted = ListView_InsertItem(list, &item);
    if (inserted < 0) continue;
    ListView_SetItemText(list, inserted, 1, type.data());
    ListView_SetItemText(list, inserted, 2, details.data());
    ++row;
  }
  shownRows_ = view.history.size();
}

void CUpdateDlg::OnButton() {
  if (!shared_ || shared_->Step == zv::kStepBusy) {
    OnCancel();
    return;
  }
  if (shared_->Step == zv::kStepQuestion) shared_->Step = zv::kStepConfirmed;
}

// Enter does what the button shows.
void CUpdateDlg::OnOK() { OnButton(); }

void CUpdateDlg::OnCancel() {
  if (shared_) {
    shared_->Step = zv::kStepCancelled;
    shared_->Running = 0;
    shared_->Abort();
    WaitForWorker();
  }
  EndDialog(IDCANCEL);
}

void CUpdateDlg::WaitForWorker() {
  if (!worker_) return;
  const ULONGLONG deadline = GetTickCount64() + kWorkerWaitMs;
  HANDLE thread = worker_.get();
  for (;;) {
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline) break;
    const DWORD woken =
        MsgWaitForMultipleObjects(1, &thread, FALSE, static_cast<DWORD>(deadline - now), QS_SENDMESSAGE | QS_PAINT);
    if (woken != WAIT_OBJECT_0 + 1) break;
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    while (PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) DispatchMessageW(&msg);
  }
  worker_.Reset();
}

LRESULT CUpdateDlg::OnDestroy(WPARAM, LPARAM) {
  KillTimer(hwnd_, ID_Update_Timer);
  return 0;
}
