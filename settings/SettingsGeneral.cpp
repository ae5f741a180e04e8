#include "settings/SettingsGeneral.h"

#include "app/Settings.h"
#include "framework/WideString.h"
#include "lang/LanguageTable.h"
#include "res/resource.h"
#include "settings/MonitorList.h"
#include "settings/SettingsForm.h"

#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <chrono>
#include <future>
#include <memory>
#include <thread>

namespace {

constexpr const wchar_t* kFileTypes[] = {L"jpg", L"bmp"};
constexpr const char16_t* kToolBarKeys[] = {u"TOP", u"BOTTOM"};
constexpr int kCheckBoxes[] = {IDC_GENERAL_INSTANCE, IDC_GENERAL_POWER, IDC_GENERAL_KEEP_WINDOW_SIZE,
                               IDC_GENERAL_KEEP_WINDOW_POS, IDC_GENERAL_CENTER_WINDOW};

// A folder on an unreachable share can keep the file system busy for many
// seconds; the check runs on a thread of its own and counts as failed when
// it takes longer than this.
constexpr auto kFolderCheckLimit = std::chrono::seconds(3);

bool IsReachableDirectory(const std::wstring& path) {
  auto check = std::make_shared<std::packaged_task<bool()>>([path] {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  });
  std::future<bool> result = check->get_future();
  std::thread([check] { (*check)(); }).detach();
  if (result.wait_for(kFolderCheckLimit) != std::future_status::ready) return false;
  return result.get();
}

zv::settingsform::ScrollRequest RequestOf(WORD code) {
  using R = zv::settingsform::ScrollRequest;
  switch (code) {
    case SB_LINEUP: return R::LineUp;
    case SB_LINEDOWN: return R::LineDown;
    case SB_PAGEUP: return R::PageUp;
    case SB_PAGEDOWN: return R::PageDown;
    case SB_TOP: return R::Top;
    case SB_BOTTOM: return R::Bottom;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: return R::Thumb;
    default: return R::Other;
  }
}

}  // namespace

FW_BEGIN_MESSAGE_MAP(CSettingsGeneral, CSettingsPage)
  FW_ON_CONTROL(BN_CLICKED, IDC_GENERAL_INSTANCE, OnControlChange)
  FW_ON_CONTROL(BN_CLICKED, IDC_GENERAL_POWER, OnControlChange)
  FW_ON_CONTROL(BN_CLICKED, IDC_GENERAL_KEEP_WINDOW_SIZE, OnControlChange)
  FW_ON_CONTROL(BN_CLICKED, IDC_GENERAL_KEEP_WINDOW_POS, OnControlChange)
  FW_ON_CONTROL(BN_CLICKED, IDC_GENERAL_CENTER_WINDOW, OnControlChange)
  FW_ON_CONTROL(CBN_SELCHANGE, IDC_PROCESSPRIORITY, OnControlChange)
  FW_ON_CONTROL(CBN_SELCHANGE, IDC_GENERAL_SNAPSHOTFILETYPE, OnControlChange)
  FW_ON_CONTROL(CBN_SELCHANGE, IDC_TOOLBARPOS, OnControlChange)
  FW_ON_CONTROL(CBN_SELCHANGE, IDC_GENERAL_DEVICE_DISPLAY_STARTUP, OnStartupMonitorChange)
  FW_ON_CONTROL(BN_CLICKED, IDC_GENERAL_SELECTDIR, OnBrowse)
  FW_ON_MESSAGE(WM_SIZE, OnSize)
  FW_ON_MESSAGE(WM_VSCROLL, OnVScroll)
  // Last: the focus notifications of every control.
  FW_ON_MESSAGE(WM_COMMAND, OnOtherCommand)
FW_END_MESSAGE_MAP()

CSettingsGeneral::CSettingsGeneral(LanguageTable* language, CSettings* settings, HWND parent)
    : CSettingsPage(IDD_SETTINGS_GENERAL, language, settings, parent) {}

CSettingsGeneral::~CSettingsGeneral() {
  if (folderIcon_) DestroyIcon(folderIcon_);
}

BOOL CSettingsGeneral::OnInitDialog() {
  filling_ = true;
  const RECT client = ClientRect();
  contentHeight_ = client.bottom;
  SetScrollRange(client.bottom);

  SetChecked(IDC_GENERAL_INSTANCE, settings_->SingleInstanceMode != 0);
  SetChecked(IDC_GENERAL_POWER, settings_->DeactivatePowerManagement != 0);
  SetChecked(IDC_GENERAL_KEEP_WINDOW_SIZE, settings_->KeepWindowSize != 0);
  SetChecked(IDC_GENERAL_KEEP_WINDOW_POS, settings_->KeepWindowPos != 0);
  SetChecked(IDC_GENERAL_CENTER_WINDOW, settings_->CenterWindow != 0);
  SetItemText(IDC_GENERAL_SNAPSHOTDIR, fw::ToWide(settings_->ScreenshotDirectory));
  Translate(u"IDD_SETTINGS_GENERAL");

  FillList(IDC_GENERAL_SNAPSHOTFILETYPE, {kFileTypes[0], kFileTypes[1]});
  Select(IDC_GENERAL_SNAPSHOTFILETYPE, settings_->ScreenshotFileType == u"bmp" ? 1 : 0);

  std::vector<std::wstring> priorities;
  for (int i = 0; i < 6; ++i) priorities.push_back(Text(zv::PriorityTextKeyOfIndex(i)));
  FillList(IDC_PROCESSPRIORITY, priorities);
  Select(IDC_PROCESSPRIORITY, zv::settingsform::PriorityIndex(settings_->ProcessPriority));

  FillList(IDC_TOOLBARPOS, {Text(kToolBarKeys[0]), Text(kToolBarKeys[1])});
  Select(IDC_TOOLBARPOS, zv::settingsform::ToolBarPosIndex(settings_->ToolBarPos));

  browseButton_.Attach(Item(IDC_GENERAL_SELECTDIR));
  wchar_t system[MAX_PATH] = {};
  const UINT length = GetSystemDirectoryW(system, MAX_PATH);
  if (length > 0 && length < MAX_PATH) {
    const std::wstring shell = std::wstring(system) + L"\\shell32.dll";
    ExtractIconExW(shell.c_str(), 4, nullptr, &folderIcon_, 1);
  }
  browseButton_.SetIcon(folderIcon_);

  zv::FillMonitorList(Item(IDC_GENERAL_DEVICE_DISPLAY_STARTUP), Text(u"DONTCHANGE"),
                      fw::ToWide(settings_->DisplayDeviceStartup));

  // A value outside what the controls can show (read from a damaged
  // registry) becomes the value they show, so that OK stores what was seen.
  StoreControls();
  filling_ = false;
  return TRUE;
}

void CSettingsGeneral::StoreControls() {
  settings_->SingleInstanceMode = Checked(IDC_GENERAL_INSTANCE) ? 1 : 0;
  settings_->DeactivatePowerManagement = Checked(IDC_GENERAL_POWER) ? 1 : 0;
  settings_->ScreenshotDirectory = fw::ToU16(ItemText(IDC_GENERAL_SNAPSHOTDIR));
  const int fileType = Selection(IDC_GENERAL_SNAPSHOTFILETYPE);
  settings_->ScreenshotFileType = fileType == 1 ? u"bmp" : u"jpg";
  const int priority = Selection(IDC_PROCESSPRIORITY);
  settings_->ProcessPriority = priority < 0 ? 1 : priority;
  const int toolBar = Selection(IDC_TOOLBARPOS);
  settings_->ToolBarPos = toolBar < 0 ? 0 : toolBar;
  settings_->KeepWindowSize = Checked(IDC_GENERAL_KEEP_WINDOW_SIZE) ? 1 : 0;
  settings_->KeepWindowPos = Checked(IDC_GENERAL_KEEP_WINDOW_POS) ? 1 : 0;
  settings_->CenterWindow = Checked(IDC_GENERAL_CENTER_WINDOW) ? 1 : 0;
}

void CSettingsGeneral::OnControlChange() {
  if (filling_) return;
  StoreControls();
  settings_->GeneralChanged = 1;
}

void CSettingsGeneral::OnStartupMonitorChange() {
  if (filling_) return;
  const std::wstring device =
      zv::MonitorListDevice(Item(IDC_GENERAL_DEVICE_DISPLAY_STARTUP), Selection(IDC_GENERAL_DEVICE_DISPLAY_STARTUP));
  settings_->DisplayDeviceStartup = device.empty() ? u"Current" : fw::ToU16(device);
  settings_->GeneralChanged = 1;
}

void CSettingsGeneral::OnBrowse() {
  const std::wstring title = Text(u"SELECTSCREENSHOTDIR");
  BROWSEINFOW info{};
  info.hwndOwner = hwnd_;
  info.lpszTitle = title.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE | BIF_EDITBOX;
  PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info);
  if (!chosen) return;
  wchar_t path[MAX_PATH] = {};
  const bool isPath = SHGetPathFromIDListW(chosen, path) != FALSE;
  CoTaskMemFree(chosen);
  TakeChosenFolder(isPath ? path : L"");
}

void CSettingsGeneral::TakeChosenFolder(const std::wstring& path) {
  if (path == ItemText(IDC_GENERAL_SNAPSHOTDIR)) return;
  if (path.empty() || !IsReachableDirectory(path)) {
    // The text comes from a language file: its "%s" is replaced here rather
    // than handed to a formatting function.
    std::wstring text = Text(u"SCREENSHOTDIR_UNUSABLE");
    const size_t mark = text.find(L"%s");
    if (mark == std::wstring::npos)
      text += (text.empty() ? L"" : L"\n") + path;
    else
      text.replace(mark, 2, path);
    const std::wstring caption = Text(u"ERROR2");
    MessageBoxW(hwnd_, text.c_str(), caption.empty() ? nullptr : caption.c_str(), MB_OK | MB_ICONWARNING);
    return;
  }
  SetItemText(IDC_GENERAL_SNAPSHOTDIR, path);
  OnControlChange();
}

LRESULT CSettingsGeneral::OnSize(WPARAM, LPARAM lParam) {
  if (contentHeight_ > 0) SetScrollRange(HIWORD(lParam));  // not before initialisation
  return 0;
}

void CSettingsGeneral::SetScrollRange(int visibleHeight) {
  ScrollTo(0);
  const zv::settingsform::ScrollRange r = zv::settingsform::ScrollRangeFor(contentHeight_, visibleHeight);
  scrollRange_ = r.range;
  // The thumb takes up page units of the bar, so the bar reaches
  // range + page - 1 for the position to reach the range.
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  info.nMin = 0;
  info.nMax = r.range > 0 ? r.range + (r.page > 0 ? r.page - 1 : 0) : 0;
  info.nPage = static_cast<UINT>(r.page);
  info.nPos = 0;
  SetScrollInfo(hwnd_, SB_VERT, &info, TRUE);
}

LRESULT CSettingsGeneral::OnVScroll(WPARAM wParam, LPARAM) {
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_TRACKPOS;
  GetScrollInfo(hwnd_, SB_VERT, &info);
  ScrollTo(zv::settingsform::ScrollTarget(RequestOf(LOWORD(wParam)), scrollPos_, scrollRange_, info.nTrackPos));
  return 0;
}

void CSettingsGeneral::ScrollTo(int position) {
  if (position == scrollPos_) return;
  ScrollWindowEx(hwnd_, 0, scrollPos_ - position, nullptr, nullptr, nullptr, nullptr,
                 SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
  scrollPos_ = position;
  SetScrollPos(hwnd_, SB_VERT, position, TRUE);
}

void CSettingsGeneral::ScrollIntoView(HWND control) {
  if (scrollRange_ == 0) return;
  RECT r{};
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&r), 2);
  const RECT client = ClientRect();
  // A group frame's title belongs with the control inside it.
  const int margin = 8;
  int target = scrollPos_;
  if (r.bottom + margin > client.bottom) target += r.bottom + margin - client.bottom;
  if (r.top - 2 * margin < 0) target += r.top - 2 * margin;
  ScrollTo(std::clamp(target, 0, scrollRange_));
}

LRESULT CSettingsGeneral::OnOtherCommand(WPARAM wParam, LPARAM lParam) {
  const WORD code = HIWORD(wParam);
  if (code == BN_SETFOCUS || code == CBN_SETFOCUS || code == EN_SETFOCUS)
    ScrollIntoView(reinterpret_cast<HWND>(lParam));
  return 0;
}
