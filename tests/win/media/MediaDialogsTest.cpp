// The filter list dialog (with the switcher's property page) and the audio
// settings dialog, run modally and driven step by step from inside their
// own message loops.
#include "framework/WideString.h"
#include "lang/LanguageResources.h"
#include "media/AudioSettingsDlg.h"
#include "media/CodecDialog.h"
#include "res/resource.h"
#include "tests/win/media/MediaTestSupport.h"
#include "tests/win/media/ToneTap.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <thread>

using namespace zvtest;

namespace {

using Step = std::function<void(HWND dialog)>;

// Runs one step per timer tick inside the dialog's modal loop, so that what
// a step posts is handled by that loop (and its message filter) before the
// next step. A dialog still open after the last step is closed.
class DialogScript {
 public:
  DialogScript(const fw::Dialog& dialog, std::vector<Step> steps) : dialog_(dialog), steps_(std::move(steps)) {
    current_ = this;
    timer_ = SetTimer(nullptr, 0, 30, Tick);
  }
  ~DialogScript() {
    KillTimer(nullptr, timer_);
    current_ = nullptr;
  }
  size_t StepsRun() const { return next_; }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    DialogScript* self = current_;
    if (!self || !self->dialog_.hwnd() || !IsWindowVisible(self->dialog_.hwnd())) return;
    if (self->next_ < self->steps_.size()) {
      self->steps_[self->next_++](self->dialog_.hwnd());
    } else if (++self->idle_ > 20) {
      PostMessageW(self->dialog_.hwnd(), WM_CLOSE, 0, 0);
    }
  }
  static inline DialogScript* current_ = nullptr;
  const fw::Dialog& dialog_;
  std::vector<Step> steps_;
  size_t next_ = 0;
  int idle_ = 0;
  UINT_PTR timer_ = 0;
};

std::wstring Text(HWND window) {
  wchar_t text[512] = {};
  GetWindowTextW(window, text, 512);
  return text;
}

void Click(HWND dialog, int id) {
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void Slide(HWND dialog, int id, int position, int code) {
  HWND slider = GetDlgItem(dialog, id);
  SendMessageW(slider, TBM_SETPOS, TRUE, id == IDC_SLIDER_BALANCE ? position + 10000 : position);
  SendMessageW(dialog, WM_HSCROLL, MAKEWPARAM(code, 0), reinterpret_cast<LPARAM>(slider));
}

// The slider's position in the user's units (the balance slider's range is moved above zero).
int SliderAt(HWND dialog, int id) {
  const int position = static_cast<int>(SendMessageW(GetDlgItem(dialog, id), TBM_GETPOS, 0, 0));
  return id == IDC_SLIDER_BALANCE ? position - 10000 : position;
}

std::vector<std::wstring> ListItems(HWND list) {
  std::vector<std::wstring> items;
  const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    wchar_t text[256] = {};
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    items.push_back(text);
  }
  return items;
}

const LanguageTable& German() {
  static LanguageTable table = [] {
    LanguageTable t;
    zv::LoadNameTableResource(t);
    zv::LoadBuiltInLanguage(t, IDR_LNG_GERMAN);
    return t;
  }();
  return table;
}

const LanguageTable& English() {
  static LanguageTable table = [] {
    LanguageTable t;
    zv::LoadNameTableResource(t);
    zv::LoadBuiltInLanguage(t, IDR_LNG_ENGLISH);
    return t;
  }();
  return table;
}

// Visible dialog windows of this process other than `except`.
std::set<HWND> OtherDialogs(HWND except) {
  struct Search {
    HWND except;
    std::set<HWND> found;
  } search{except, {}};
  EnumWindows(
      [](HWND hwnd, LPARAM data) {
        auto* s = reinterpret_cast<Search*>(data);
        DWORD pid = 0;
        GetWindowThreadProcessId(hwnd, &pid);
        wchar_t cls[16] = {};
        GetClassNameW(hwnd, cls, 16);
        if (pid == GetCurrentProcessId() && hwnd != s->except && wcscmp(cls, L"#32770") == 0 && IsWindowVisible(hwnd))
          s->found.insert(hwnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindListBox(HWND parent) {
  HWND found = nullptr;
  EnumChildWindows(
      parent,
      [](HWND child, LPARAM data) {
        wchar_t cls[16] = {};
        GetClassNameW(child, cls, 16);
        if (_wcsicmp(cls, L"ListBox") != 0) return TRUE;
        *reinterpret_cast<HWND*>(data) = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

}  // namespace

TEST(CodecDialog, ListsFiltersWithPagesAndOpensTheSwitchersPage) {
  OwnerWindow owner;
  auto settings = DefaultSettings();
  auto media = OpenMedia(MediaPath(L"switch.avi"), owner, *settings);
  ASSERT_TRUE(media->IsRendered());
  fw::ComPtr<zv::CAudioSwitcher> switcher = SwitcherOf(*media);
  ASSERT_TRUE(switcher);
  ASSERT_EQ(switcher->Enable(1, AMSTREAMSELECTENABLE_ENABLE), S_OK);

  // The property frame is modal too: a second thread reads the page and
  // closes the frame.
  std::vector<std::wstring> pageItems;
  LRESULT pageSelection = -1;
  std::wstring frameTitle;
  CCodecDialog dialog(owner.hwnd(), media.get(), &English());
  std::thread frameHand;
  DialogScript script(dialog, {
      [&](HWND d) {
        EXPECT_EQ(Text(d), L"Media Properties");
        EXPECT_EQ(Text(GetDlgItem(d, IDC_DURATION)), L"00:00:08,000");
        EXPECT_EQ(Text(GetDlgItem(d, IDC_TXT_FILTER)), L"Filters with property pages");
        const std::vector<std::wstring> items = ListItems(GetDlgItem(d, IDC_LIST_CODEC));
        EXPECT_EQ(items, std::vector<std::wstring>{zv::CAudioSwitcher::kFilterName});
        EXPECT_EQ(SendMessageW(GetDlgItem(d, IDC_LIST_CODEC), LB_GETCURSEL, 0, 0), 0);
      },
      [&](HWND d) {
        frameHand = std::thread([&, d] {
          HWND frame = nullptr;
          for (int i = 0; i < 500 && !frame; ++i) {
            const std::set<HWND> others = OtherDialogs(d);
            if (!others.empty()) frame = *others.begin();
            if (!frame) Sleep(20);
          }
          if (!frame) return;
          frameTitle = Text(frame);
          HWND list = nullptr;
          for (int i = 0; i < 200 && !list; ++i) {
            list = FindListBox(frame);
            if (!list) Sleep(20);
          }
          if (list) {
            pageItems = ListItems(list);
            pageSelection = SendMessageW(list, LB_GETCURSEL, 0, 0);
          }
          PostMessageW(frame, WM_COMMAND, IDCANCEL, 0);
        });
        Click(d, IDC_BUTTON_EIGENSCHAFTEN);  // returns when the frame closes
        frameHand.join();
      },
      [&](HWND d) { Click(d, IDC_BUTTON_SCHLIESSEN); },
  });
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(script.StepsRun(), 3u);
  EXPECT_NE(frameTitle.find(zv::CAudioSwitcher::kFilterName), std::wstring::npos) << frameTitle;
  EXPECT_EQ(pageItems, (std::vector<std::wstring>{L"English", L"German"}));
  EXPECT_EQ(pageSelection, 1);  // the track that plays
  EXPECT_EQ(switcher->EnabledInput(), 1);
}

// The page on its own, as a property frame drives it: choosing another
// track makes it dirty, applying enables that track.
TEST(SwitcherPage, ChoosingATrackAndApplyingEnablesIt) {
  OwnerWindow owner;
  auto settings = DefaultSettings();
  auto media = OpenMedia(MediaPath(L"switch.mkv"), owner, *settings);
  ASSERT_TRUE(media->IsRendered());
  fw::ComPtr<zv::CAudioSwitcher> switcher = SwitcherOf(*media);
  ASSERT_TRUE(switcher);
  CAUUID pages{};
  ASSERT_EQ(switcher->GetPages(&pages), S_OK);
  ASSERT_EQ(pages.cElems, 1u);
  fw::ComPtr<IPropertyPage> page;
  ASSERT_EQ(CoCreateInstance(pages.pElems[0], nullptr, CLSCTX_INPROC_SERVER, IID_IPropertyPage, page.put_void()),
            S_OK);
  CoTaskMemFree(pages.pElems);
  PROPPAGEINFO info{};
  ASSERT_EQ(page->GetPageInfo(&info), S_OK);
  EXPECT_EQ(std::wstring(info.pszTitle), L"Audio");
  CoTaskMemFree(info.pszTitle);
  IUnknown* object = static_cast<IBaseFilter*>(switcher.get());
  ASSERT_EQ(page->SetObjects(1, &object), S_OK);
  const RECT area{0, 0, 260, 160};
  ASSERT_EQ(page->Activate(owner.hwnd(), &area, FALSE), S_OK);
  HWND list = FindListBox(owner.hwnd());
  ASSERT_TRUE(list);
  EXPECT_EQ(ListItems(list), (std::vector<std::wstring>{L"English", L"German", L"French"}));
  EXPECT_EQ(page->IsPageDirty(), S_FALSE);
  SendMessageW(list, LB_SETCURSEL, 2, 0);
  SendMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
               reinterpret_cast<LPARAM>(list));
  EXPECT_EQ(page->IsPageDirty(), S_OK);
  EXPECT_EQ(switcher->EnabledInput(), 0);
  EXPECT_EQ(page->Apply(), S_OK);
  EXPECT_EQ(switcher->EnabledInput(), 2);
  EXPECT_EQ(page->IsPageDirty(), S_FALSE);
  EXPECT_EQ(page->Deactivate(), S_OK);
  EXPECT_FALSE(IsWindow(list));
  EXPECT_EQ(page->SetObjects(0, nullptr), S_OK);
  // A filter that is not a switcher is refused.
  fw::ComPtr<IEnumFilters> filters;
  ASSERT_EQ(media->Graph()->EnumFilters(filters.put()), S_OK);
  fw::ComPtr<IBaseFilter> other;
  while (filters->Next(1, other.put(), nullptr) == S_OK && zv::CAudioSwitcher::FromFilter(other.get())) {
  }
  ASSERT_TRUE(other);
  IUnknown* foreign = other.get();
  EXPECT_EQ(page->SetObjects(1, &foreign), E_NOINTERFACE);
}

TEST(CodecDialog, GraphWithoutPagesOrNoMediaShowsAnEmptyListAndPropertiesDoesNothing) {
  OwnerWindow owner;
  auto settings = DefaultSettings();
  auto media = OpenMedia(MediaPath(L"av.avi"), owner, *settings);
  ASSERT_TRUE(media->IsRendered());
  for (CMedia* subject : {static_cast<CMedia*>(media.get()), static_cast<CMedia*>(nullptr)}) {
    CCodecDialog dialog(owner.hwnd(), subject, &German());
    size_t dialogsAfterClick = 99;
    DialogScript script(dialog, {
        [&](HWND d) {
          EXPECT_EQ(Text(d), L"Medieneigenschaften");
          EXPECT_EQ(Text(GetDlgItem(d, IDC_BUTTON_SCHLIESSEN)), L"&Schlie\u00dfen");
          EXPECT_EQ(Text(GetDlgItem(d, IDC_TXT_DURATION)), L"Dauer:");
          EXPECT_EQ(SendMessageW(GetDlgItem(d, IDC_LIST_CODEC), LB_GETCOUNT, 0, 0), 0);
          EXPECT_EQ(Text(GetDlgItem(d, IDC_DURATION)), subject ? L"00:00:02,000" : L"");
          Click(d, IDC_BUTTON_EIGENSCHAFTEN);
          SendMessageW(d, WM_COMMAND, MAKEWPARAM(IDC_LIST_CODEC, LBN_DBLCLK),
                       reinterpret_cast<LPARAM>(GetDlgItem(d, IDC_LIST_CODEC)));
          dialogsAfterClick = OtherDialogs(d).size();
        },
        [&](HWND d) { Click(d, IDC_BUTTON_SCHLIESSEN); },
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialogsAfterClick, 0u);
  }
}

TEST(AudioSettings, StoredVolumeOpensTheSliderAtOneAndOkWithoutMovingStoresTheMapping) {
  OwnerWindow owner;
  auto settings = DefaultSettings();
  settings->Volume = -2000;
  settings->Balance = 500;
  CAudioSettingsDlg dialog(owner.hwnd(), nullptr, settings.get(), &English());
  DialogScript script(dialog, {
      [&](HWND d) {
        EXPECT_EQ(Text(d), L"Audio Settings");
        EXPECT_EQ(SliderAt(d, IDC_SLIDER_VOLUME), 1);
        EXPECT_EQ(SliderAt(d, IDC_SLIDER_BALANCE), 500);
        // The thumb stands where the balance is: a quarter to the right of the middle.
        HWND balance = GetDlgItem(d, IDC_SLIDER_BALANCE);
        RECT thumb{}, channel{};
        SendMessageW(balance, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
        SendMessageW(balance, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
        const double at = ((thumb.left + thumb.right) / 2.0 - channel.left) / (channel.right - channel.left);
        EXPECT_NEAR(at, 0.525, 0.03);
        Slide(d, IDC_SLIDER_BALANCE, 700, SB_THUMBTRACK);  // no media: only the slider moves
      },
      [&](HWND d) { Click(d, IDC_BUTTON_OK); },
  });
  EXPECT_EQ(dialog.Run(), IDOK);
  EXPECT_EQ(settings->Volume, -1999);
  EXPECT_EQ(settings->Balance, 700);

  CAudioSettingsDlg unsettled(owner.hwnd(), nullptr, nullptr, &English());
  EXPECT_EQ(unsettled.Run(), -1);
}

TEST(AudioSettings, SlidersActOnTheMediaAtOnceOnlyForPageAndThumbAndCancelRestores) {
  OwnerWindow owner;
  auto settings = DefaultSettings();
  settings->Volume = -2000;
  settings->Balance = 500;
  auto media = OpenMedia(MediaPath(L"av.avi"), owner, *settings);
  ASSERT_TRUE(media->IsRendered());
  ASSERT_TRUE(media->HasAudio());
  media->SetVolume(settings->Volume);
  media->SetBalance(settings->Balance);
  CAudioSettingsDlg dialog(owner.hwnd(), media.get(), settings.get(), &German());
  DialogScript script(dialog, {
      [&](HWND d) {
        EXPECT_EQ(Text(d), L"Audioeinstellungen");
        EXPECT_EQ(Text(GetDlgItem(d, IDC_TXT_LAUTSTAERKE)), L"Lautst\u00e4rke");
        Slide(d, IDC_SLIDER_VOLUME, 50, SB_THUMBTRACK);
        EXPECT_EQ(media->GetVolume(), -301);
        Slide(d, IDC_SLIDER_VOLUME, 60, SB_LINERIGHT);
        Slide(d, IDC_SLIDER_VOLUME, 70, SB_ENDSCROLL);
        EXPECT_EQ(media->GetVolume(), -301);
        Slide(d, IDC_SLIDER_BALANCE, -3000, SB_PAGELEFT);
        EXPECT_EQ(media->GetBalance(), -3000);
        Slide(d, IDC_SLIDER_VOLUME, 100, SB_THUMBPOSITION);
        EXPECT_EQ(media->GetVolume(), 0);
      },
      [&](HWND d) { Click(d, IDC_BUTTON_ABBRECHEN); },
  });
  EXPECT_EQ(dialog.Run(), IDCANCEL);
  EXPECT_EQ(media->GetVolume(), -2000);
  EXPECT_EQ(media->GetBalance(), 500);
  EXPECT_EQ(settings->Volume, -2000);
  EXPECT_EQ(settings->Balance, 500);
}

TEST(AudioSettings, ResetThenCancelRestoresAndKeysDoNothing) {
  OwnerWindow owner;
  auto settings = DefaultSettings();
  settings->Volume = -1000;
  settings->Balance = -200;
  auto media = OpenMedia(MediaPath(L"av.avi"), owner, *settings);
  ASSERT_TRUE(media->IsRendered());
  media->SetVolume(settings->Volume);
  media->SetBalance(settings->Balance);
  CAudioSettingsDlg dialog(owner.hwnd(), media.get(), settings.get(), &English());
  DialogScript script(dialog, {
      [&](HWND d) {
        Click(d, IDC_BUTTON_RESET);
        EXPECT_EQ(SliderAt(d, IDC_SLIDER_VOLUME), 100);
        EXPECT_EQ(SliderAt(d, IDC_SLIDER_BALANCE), 0);
        EXPECT_EQ(media->GetVolume(), 0);
        EXPECT_EQ(media->GetBalance(), 0);
        // Keys go to the loop's filter, which drops them.
        HWND slider = GetDlgItem(d, IDC_SLIDER_VOLUME);
        SetFocus(slider);
        for (WPARAM key : {VK_LEFT, VK_DOWN, VK_ESCAPE, VK_RETURN, VK_TAB, VK_SPACE})
          PostMessageW(slider, WM_KEYDOWN, key, 0);
        PostMessageW(d, WM_KEYDOWN, VK_ESCAPE, 0);
      },
      [&](HWND d) {
        EXPECT_TRUE(IsWindowVisible(d));
        EXPECT_EQ(SliderAt(d, IDC_SLIDER_VOLUME), 100);
        EXPECT_EQ(media->GetVolume(), 0);
        Click(d, IDC_BUTTON_ABBRECHEN);
      },
  });
  EXPECT_EQ(dialog.Run(), IDCANCEL);
  EXPECT_EQ(script.StepsRun(), 2u);
  EXPECT_EQ(media->GetVolume(), -1000);
  EXPECT_EQ(media->GetBalance(), -200);
  EXPECT_EQ(settings->Volume, -1000);
}

TEST(AudioSettings, MediaClosedWhileTheDialogIsOpenIsNotTouchedAgain) {
  OwnerWindow owner;
  auto settings = DefaultSettings();
  auto media = OpenMedia(MediaPath(L"av.avi"), owner, *settings);
  ASSERT_TRUE(media->IsRendered());
  CAudioSettingsDlg dialog(owner.hwnd(), media.get(), settings.get(), &English());
  DialogScript script(dialog, {
      [&](HWND) {
        dialog.ForgetMedia();
        media.reset();
      },
  });
  EXPECT_EQ(dialog.Run(), IDCANCEL);
  EXPECT_EQ(settings->Volume, DefaultSettings()->Volume);
}
