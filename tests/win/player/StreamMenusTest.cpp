// The player window's stream menus, filter menu and media dialogs, in this
// process with real files: what the menus show, what choosing an item does,
// ids that lead nowhere, and dialogs opened from the menus.
#include "app/Settings.h"
#include "framework/Menu.h"
#include "media/AudioSwitcher.h"
#include "media/VideoFile.h"
#include "player/StreamMenuModel.h"
#include "res/resource.h"
#include "tests/win/media/ToneTap.h"
#include "tests/win/player/OpeningSupport.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>

using zvtest::RunPlayer;
using zvtest::ScriptedPlayer;

namespace {

struct Item {
  UINT id;
  std::wstring text;
  bool checked;
  bool enabled;
  bool operator==(const Item& o) const {
    return id == o.id && text == o.text && checked == o.checked && enabled == o.enabled;
  }
};

void PrintTo(const Item& item, std::ostream* out) {
  *out << item.id << " '" << testing::PrintToString(item.text) << "'" << (item.checked ? " checked" : "")
       << (item.enabled ? "" : " grey");
}

std::vector<Item> ItemsOf(HMENU menu) {
  std::vector<Item> items;
  for (int i = 0; menu && i < GetMenuItemCount(menu); ++i) {
    const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
    items.push_back({GetMenuItemID(menu, i), fw::ItemTextAt(menu, i), (state & MF_CHECKED) != 0,
                     (state & (MF_GRAYED | MF_DISABLED)) == 0});
  }
  return items;
}

void Command(CZentravueDlg& player, UINT id) { SendMessageW(player.hwnd(), WM_COMMAND, id, 0); }

// Runs `step` once on the first visible dialog of this process titled
// `title`, from a timer of the modal loop that shows it.
class DialogHand {
 public:
  DialogHand(std::wstring title, std::function<void(HWND)> step) : title_(std::move(title)), step_(std::move(step)) {
    current_ = this;
    timer_ = SetTimer(nullptr, 0, 30, Tick);
  }
  ~DialogHand() {
    KillTimer(nullptr, timer_);
    current_ = nullptr;
  }
  bool done = false;

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    DialogHand* self = current_;
    if (!self || self->done) return;
    HWND dialog = FindWindowW(L"#32770", self->title_.c_str());
    if (!dialog || !IsWindowVisible(dialog)) return;
    self->done = true;
    self->step_(dialog);
  }
  static inline DialogHand* current_ = nullptr;
  std::wstring title_;
  std::function<void(HWND)> step_;
  UINT_PTR timer_ = 0;
};

int SwitcherNumber(VideoFile& media) {
  for (const auto& filter : media.StreamFilters())
    if (filter->name == zv::CAudioSwitcher::kFilterName) return filter->number;
  return -1;
}

}  // namespace

TEST(StreamMenus, SwitcherPopupAndAudioItemsShowTheTracksAndChoosingOneSwitchesIt) {
  RunPlayer([](ScriptedPlayer& player) {
    player.CreatePlaylistSingle(zvtest::MediaPath(L"switch.mkv"));
    VideoFile* media = player.FileMedia();
    ASSERT_NE(media, nullptr);
    const int n = SwitcherNumber(*media);
    ASSERT_GT(n, 0);
    using zv::streams::TableEntry;
    EXPECT_EQ(player.StreamTable(), (std::vector<uint32_t>{TableEntry(0, n), TableEntry(1, n), TableEntry(2, n)}));

    for (bool inContext : {false, true}) {
      SCOPED_TRACE(inContext ? "context menu" : "main menu");
      HMENU streams = player.NamedPopup(IDM_WIEDERGABE_STREAMS, inContext);
      ASSERT_EQ(GetMenuItemCount(streams), 1);
      EXPECT_EQ(fw::ItemTextAt(streams, 0), zv::CAudioSwitcher::kFilterName);
      EXPECT_EQ(ItemsOf(GetSubMenu(streams, 0)),
                (std::vector<Item>{{60000, L"English", true, true}, {60001, L"German", false, true},
                                   {60002, L"French", false, true}}));
      EXPECT_EQ(ItemsOf(player.NamedPopup(IDM_WIEDERGABE_STREAMS_AUDIO, inContext)),
                (std::vector<Item>{{65000, L"English", true, true}, {65001, L"German", false, true},
                                   {65002, L"French", false, true}}));
      // The filter's menus replace the subtitle list, "Off" included.
      EXPECT_EQ(GetMenuItemCount(player.NamedPopup(IDM_WIEDERGABE_STREAMS_SUBTITLE, inContext)), 0);
      EXPECT_EQ(GetMenuItemCount(player.NamedPopup(IDM_WIEDERGABE_STREAMS_CHAPTER, inContext)), 0);
      EXPECT_EQ(GetMenuItemCount(player.NamedPopup(IDM_WIEDERGABE_STREAMS_ANGLE, inContext)), 0);
    }

    // The filter menu: the switcher has pages, the platform's filters none.
    bool switcherListed = false;
    for (const Item& item : ItemsOf(player.NamedPopup(IDM_EXTRAS_DSFILTER))) {
      EXPECT_GE(item.id, 59000u);
      if (item.text == zv::CAudioSwitcher::kFilterName) {
        switcherListed = true;
        EXPECT_TRUE(item.enabled);
      }
    }
    EXPECT_TRUE(switcherListed);

    ASSERT_TRUE(zvtest::WaitFor([&] { return media->GetPosition() > 40; }, 20000));
    const int before = media->GetPosition();
    Command(player, 65001);
    EXPECT_GE(media->GetPosition(), before);
    EXPECT_EQ(zvtest::SwitcherOf(*media)->EnabledInput(), 1);
    for (bool inContext : {false, true}) {
      const std::vector<Item> audio = ItemsOf(player.NamedPopup(IDM_WIEDERGABE_STREAMS_AUDIO, inContext));
      ASSERT_EQ(audio.size(), 3u);
      EXPECT_FALSE(audio[0].checked);
      EXPECT_TRUE(audio[1].checked);
      EXPECT_TRUE(ItemsOf(GetSubMenu(player.NamedPopup(IDM_WIEDERGABE_STREAMS, inContext), 0))[1].checked);
    }
    Command(player, 60002);  // the same through the filter's pop-up
    EXPECT_EQ(zvtest::SwitcherOf(*media)->EnabledInput(), 2);
    EXPECT_TRUE(player.IsCommandChecked(65002));

    // Ids that lead nowhere: past the table, lists this media does not have,
    // filter items that do not exist.
    for (UINT id : {65003u, 65999u, 66000u, 60003u, 61000u, 62000u, 63000u, 59999u, 59000u + 400u})
      Command(player, id);
    EXPECT_EQ(zvtest::SwitcherOf(*media)->EnabledInput(), 2);
    EXPECT_TRUE(player.IsCommandChecked(65002));
    EXPECT_EQ(player.StreamTable().size(), 3u);
  });
}

TEST(StreamMenus, OneTrackFilesKeepTheSubtitleOffItemWhichTogglesAndComesBackAfterAFilterMenu) {
  RunPlayer([](ScriptedPlayer& player) {
    player.CreatePlaylistSingle(zvtest::MediaPath(L"av.avi"));
    ASSERT_NE(player.CurrentMedia(), nullptr);
    EXPECT_EQ(GetMenuItemCount(player.NamedPopup(IDM_WIEDERGABE_STREAMS)), 0);
    EXPECT_EQ(GetMenuItemCount(player.NamedPopup(IDM_WIEDERGABE_STREAMS_AUDIO)), 0);
    HMENU subtitles = player.NamedPopup(IDM_WIEDERGABE_STREAMS_SUBTITLE);
    ASSERT_EQ(GetMenuItemCount(subtitles), 2);
    const std::wstring offText = fw::ItemTextAt(subtitles, 0);
    EXPECT_EQ(GetMenuItemID(subtitles, 0), static_cast<UINT>(IDM_WIEDERGABE_STREAMS_SUBTITLE_OFF));

    // "Off" twice: off, then on again.
    Command(player, IDM_WIEDERGABE_STREAMS_SUBTITLE_OFF);
    EXPECT_TRUE(player.IsCommandChecked(IDM_WIEDERGABE_STREAMS_SUBTITLE_OFF));
    EXPECT_FALSE(player.SubtitlesOn());
    Command(player, IDM_WIEDERGABE_STREAMS_SUBTITLE_OFF);
    EXPECT_FALSE(player.IsCommandChecked(IDM_WIEDERGABE_STREAMS_SUBTITLE_OFF));
    EXPECT_TRUE(player.SubtitlesOn());
    Command(player, IDM_WIEDERGABE_STREAMS_SUBTITLE_OFF);  // off for what follows

    player.CreatePlaylistSingle(zvtest::MediaPath(L"switch.avi"));
    EXPECT_EQ(GetMenuItemCount(player.NamedPopup(IDM_WIEDERGABE_STREAMS_SUBTITLE)), 0);
    player.CreatePlaylistSingle(zvtest::MediaPath(L"v.avi"));
    for (bool inContext : {false, true}) {
      const std::vector<Item> items = ItemsOf(player.NamedPopup(IDM_WIEDERGABE_STREAMS_SUBTITLE, inContext));
      ASSERT_EQ(items.size(), 2u);
      EXPECT_EQ(items[0], (Item{IDM_WIEDERGABE_STREAMS_SUBTITLE_OFF, offText, true, true}));
      EXPECT_EQ(items[1].id, 0u);
    }
    player.CloseMedia(true);
    EXPECT_EQ(GetMenuItemCount(player.NamedPopup(IDM_WIEDERGABE_STREAMS)), 0);
    EXPECT_TRUE(player.StreamTable().empty());
    Command(player, 65000);  // no media: nothing happens
  });
}

TEST(StreamMenus, MediaDialogsOpenFromTheMenusAndEndWhenTheMediaCloses) {
  auto settings = zvtest::PlayerSettings();
  settings->Volume = -1000;
  RunPlayer(
      [&](ScriptedPlayer& player) {
        player.CreatePlaylistSingle(zvtest::MediaPath(L"switch.avi"));
        ASSERT_NE(player.CurrentMedia(), nullptr);

        std::vector<std::wstring> filters;
        {
          DialogHand hand(L"Media Properties", [&](HWND dialog) {
            HWND list = GetDlgItem(dialog, IDC_LIST_CODEC);
            for (LRESULT i = 0; i < SendMessageW(list, LB_GETCOUNT, 0, 0); ++i) {
              wchar_t text[256] = {};
              SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
              filters.push_back(text);
            }
            PostMessageW(dialog, WM_COMMAND, IDC_BUTTON_SCHLIESSEN, 0);
          });
          Command(player, IDM_VIDEO_EIGENSCHAFTEN);
          EXPECT_TRUE(hand.done);
        }
        EXPECT_EQ(filters, std::vector<std::wstring>{zv::CAudioSwitcher::kFilterName});

        {
          DialogHand hand(L"Audio Settings", [&](HWND dialog) {
            HWND slider = GetDlgItem(dialog, IDC_SLIDER_VOLUME);
            SendMessageW(slider, TBM_SETPOS, TRUE, 50);
            SendMessageW(dialog, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 50), reinterpret_cast<LPARAM>(slider));
            PostMessageW(dialog, WM_COMMAND, IDC_BUTTON_OK, 0);
          });
          Command(player, IDM_AUDIO_SETTINGS);
          EXPECT_TRUE(hand.done);
        }
        EXPECT_EQ(player.Settings().Volume, -301);
        EXPECT_EQ(player.VolumeBar().GetPos(), 50);

        // Closing the media from inside the dialog's loop ends the dialog;
        // nothing touches the media object afterwards.
        {
          DialogHand hand(L"Audio Settings", [&](HWND) {
            PostMessageW(player.hwnd(), WM_COMMAND, IDM_DATEI_SCHLIESSEN, 0);
          });
          Command(player, IDM_AUDIO_SETTINGS);
          EXPECT_TRUE(hand.done);
        }
        EXPECT_EQ(player.CurrentMedia(), nullptr);
        EXPECT_EQ(player.Settings().Volume, -301);
      },
      settings.get());
}
