// The switcher's property page: its tracks in a list, the enabled one
// selected; choosing another and applying enables it. The property frame
// creates pages by class identifier, so the page's class is registered for
// the process when a switcher first hands out its pages.
#include "media/AudioSwitcher.h"
#include "media/MediaTypes.h"

#include <olectl.h>

#include <cstring>

#include <new>

namespace zv {
namespace {

// COM interfaces have no virtual destructors by design; Release deletes.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

constexpr wchar_t kPageClass[] = L"ZentravueSwitcherPage";
constexpr int kListId = 100;
constexpr SIZE kPageSize = {260, 160};

std::wstring g_pageTitle;  // the tab text; set on the user-interface thread

class SwitcherPage final : public IPropertyPage {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IPropertyPage) {
      *out = static_cast<IPropertyPage*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  HRESULT STDMETHODCALLTYPE SetPageSite(IPropertyPageSite* site) override {
    site_ = fw::ComPtr<IPropertyPageSite>::Share(site);
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE Activate(HWND parent, LPCRECT rect, BOOL) override {
    if (!rect) return E_POINTER;
    if (!RegisterWindowClass()) return E_FAIL;
    window_ = CreateWindowExW(WS_EX_CONTROLPARENT, kPageClass, L"", WS_CHILD | WS_CLIPCHILDREN, rect->left, rect->top,
                              rect->right - rect->left, rect->bottom - rect->top, parent, nullptr,
                              GetModuleHandleW(nullptr), this);
    if (!window_) return E_FAIL;
    list_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"",
                            WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 0, 0,
                            rect->right - rect->left, rect->bottom - rect->top, window_,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListId)), GetModuleHandleW(nullptr), nullptr);
    // The frame's font; the page area itself may have none.
    WPARAM font = SendMessageW(parent, WM_GETFONT, 0, 0);
    if (!font && GetParent(parent)) font = SendMessageW(GetParent(parent), WM_GETFONT, 0, 0);
    if (!font) font = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
    SendMessageW(list_, WM_SETFONT, font, FALSE);
    Fill();
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE Deactivate() override {
    if (window_) DestroyWindow(window_);
    window_ = nullptr;
    list_ = nullptr;
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE GetPageInfo(PROPPAGEINFO* info) override {
    if (!info) return E_POINTER;
    *info = PROPPAGEINFO{};
    info->cb = sizeof(*info);
    const size_t bytes = (g_pageTitle.size() + 1) * sizeof(wchar_t);
    info->pszTitle = static_cast<LPOLESTR>(CoTaskMemAlloc(bytes));
    if (info->pszTitle) memcpy(info->pszTitle, g_pageTitle.c_str(), bytes);
    info->size = kPageSize;
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE SetObjects(ULONG count, IUnknown** objects) override {
    switcher_.Reset();
    if (count == 0) return S_OK;
    if (!objects) return E_POINTER;
    switcher_ = CAudioSwitcher::FromFilter(objects[0]);
    if (!switcher_) return E_NOINTERFACE;
    Fill();
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE Show(UINT command) override {
    if (window_) ShowWindow(window_, static_cast<int>(command));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Move(LPCRECT rect) override {
    if (!rect) return E_POINTER;
    if (window_) MoveWindow(window_, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, TRUE);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE IsPageDirty() override { return dirty_ ? S_OK : S_FALSE; }
  HRESULT STDMETHODCALLTYPE Apply() override {
    if (!dirty_ || !switcher_ || !list_) return S_OK;
    const LRESULT selected = SendMessageW(list_, LB_GETCURSEL, 0, 0);
    dirty_ = false;
    if (selected == LB_ERR) return S_OK;
    return switcher_->Enable(static_cast<LONG>(selected), AMSTREAMSELECTENABLE_ENABLE);
  }
  HRESULT STDMETHODCALLTYPE Help(LPCOLESTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG*) override { return S_FALSE; }

 private:
  ~SwitcherPage() { Deactivate(); }

  static bool RegisterWindowClass() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    if (GetClassInfoExW(GetModuleHandleW(nullptr), kPageClass, &wc)) return true;
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kPageClass;
    return RegisterClassExW(&wc) != 0;
  }

  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* page = reinterpret_cast<SwitcherPage*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (page && message == WM_COMMAND && LOWORD(wParam) == kListId && HIWORD(wParam) == LBN_SELCHANGE) {
      page->OnSelectionChange();
      return 0;
    }
    if (page && message == WM_SIZE && page->list_) {
      MoveWindow(page->list_, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
      return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }

  void Fill() {
    if (!list_ || !switcher_) return;
    SendMessageW(list_, LB_RESETCONTENT, 0, 0);
    for (size_t i = 0; i < switcher_->InputCount(); ++i)
      SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(switcher_->Track(i).name.c_str()));
    SendMessageW(list_, LB_SETCURSEL, static_cast<WPARAM>(switcher_->EnabledInput()), 0);
    dirty_ = false;
  }

  void OnSelectionChange() {
    if (!switcher_) return;
    const LRESULT selected = SendMessageW(list_, LB_GETCURSEL, 0, 0);
    dirty_ = selected != LB_ERR && selected != switcher_->EnabledInput();
    if (site_) site_->OnStatusChange(PROPPAGESTATUS_DIRTY | PROPPAGESTATUS_VALIDATE);
  }

  LiveObject live_;
  LONG refs_ = 1;
  fw::ComPtr<IPropertyPageSite> site_;
  fw::ComPtr<CAudioSwitcher> switcher_;
  HWND window_ = nullptr;
  HWND list_ = nullptr;
  bool dirty_ = false;
};

// Lives as long as the process; the class table holds it by pointer.
class PageFactory final : public IClassFactory {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IClassFactory) {
      *out = static_cast<IClassFactory*>(this);
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    auto* page = new (std::nothrow) SwitcherPage;
    if (!page) return E_OUTOFMEMORY;
    const HRESULT hr = page->QueryInterface(iid, out);
    page->Release();
    return hr;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

PageFactory g_factory;

#pragma GCC diagnostic pop

}  // namespace

HRESULT RegisterAudioSwitcherPageClass(const std::wstring& title) {
  g_pageTitle = title;
  static bool registered = false;
  if (registered) return S_OK;
  DWORD cookie = 0;
  const HRESULT hr = CoRegisterClassObject(kAudioSwitcherPageClassId, &g_factory, CLSCTX_INPROC_SERVER,
                                           REGCLS_MULTIPLEUSE, &cookie);
  registered = SUCCEEDED(hr);
  return hr;
}

}  // namespace zv
