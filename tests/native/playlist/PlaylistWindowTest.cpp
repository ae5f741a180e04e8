// The playlist window's arithmetic and dialog filters, without a window.
#include "app/FileAssocs.h"
#include "playlist/PlaylistDialogFilters.h"
#include "playlist/PlaylistWindowLayout.h"

#include <gtest/gtest.h>

namespace pw = zv::playlistwindow;

TEST(PlaylistWindowLayout, ListSpinAndTwoButtonRowsWithMarginsOf15) {
  pw::Controls c;
  c.clientWidth = 500;
  c.clientHeight = 400;
  c.buttonHeight = 23;
  c.spinWidth = 18;
  c.spinHeight = 45;
  const int widths[pw::kButtonCount] = {100, 90, 110, 80, 70, 120};
  for (int i = 0; i < pw::kButtonCount; ++i) c.buttonWidth[i] = widths[i];
  const pw::Placement p = pw::LayOut(c);
  EXPECT_EQ(p.list, (pw::Box{15, 15, 500 - 18 - 45, 400 - 46 - 60}));
  EXPECT_EQ(p.columnWidth, p.list.width - 50);
  EXPECT_EQ(p.spin, (pw::Box{p.list.width + 30, 15 + (p.list.height - 45) / 2, 18, 45}));
  const int row1 = p.list.height + 30;
  const int row2 = p.list.height + 23 + 45;
  EXPECT_EQ(p.buttons[0], (pw::Box{15, row1, 100, 23}));
  EXPECT_EQ(p.buttons[1], (pw::Box{130, row1, 90, 23}));
  EXPECT_EQ(p.buttons[2], (pw::Box{235, row1, 110, 23}));
  EXPECT_EQ(p.buttons[3], (pw::Box{15, row2, 80, 23}));
  EXPECT_EQ(p.buttons[5], (pw::Box{15 + 80 + 15 + 70 + 15, row2, 120, 23}));
  // The lower margin is 15 too.
  EXPECT_EQ(400 - (row2 + 23), 15);
  pw::Controls tiny = c;
  tiny.clientWidth = 10;
  tiny.clientHeight = 10;
  const pw::Placement t = pw::LayOut(tiny);
  EXPECT_EQ(t.list.width, 0);
  EXPECT_EQ(t.list.height, 0);
  EXPECT_EQ(t.columnWidth, 0);
}

TEST(PlaylistWindowLayout, StoredRectangleIsEnlargedToTheDesignSizeAndKeptOnScreen) {
  const pw::Rect work{0, 0, 1280, 1000};
  const pw::Rect current{100, 100, 540, 440};  // 440 x 340, the design size
  // Smaller than the design size: enlarged, at the stored place.
  EXPECT_EQ(pw::PlaceWindow({200, 150, 300, 200}, current, 440, 340, work), (pw::Rect{200, 150, 640, 490}));
  // All zero: where the window is now.
  EXPECT_EQ(pw::PlaceWindow({}, current, 440, 340, work), current);
  // Larger ones keep their size.
  EXPECT_EQ(pw::PlaceWindow({10, 20, 710, 620}, current, 440, 340, work), (pw::Rect{10, 20, 710, 620}));
  // Off the screen (a monitor that is gone): moved back inside.
  EXPECT_EQ(pw::PlaceWindow({3000, -500, 3500, -100}, current, 440, 340, work), (pw::Rect{780, 0, 1280, 400}));
  EXPECT_EQ(pw::PlaceWindow({-900, 900, -300, 1300}, current, 440, 340, work), (pw::Rect{0, 600, 600, 1000}));
  // Bigger than the work area: as big as it, never below the design size.
  EXPECT_EQ(pw::PlaceWindow({-10, -10, 3000, 3000}, current, 440, 340, work), (pw::Rect{0, 0, 1280, 1000}));
  EXPECT_EQ(pw::PlaceWindow({0, 0, 500, 500}, current, 440, 340, pw::Rect{0, 0, 300, 200}),
            (pw::Rect{0, 0, 440, 340}));
}

TEST(PlaylistDialogFilters, PatternsPerCategoryJoinedBySemicolons) {
  zv::FileTypeList types;
  types.PushBack(u"avi", CFileAssocs::kVideo);
  types.PushBack(u"mp3", CFileAssocs::kAudio | CFileAssocs::kAssociated);
  types.PushBack(u"zvp", CFileAssocs::kPlaylist);
  types.PushBack(u"m3u", CFileAssocs::kPlaylist);
  const zv::PlaylistDialogTexts texts{u"Media", u"Video", u"Audio", u"Playlists", u"All"};
  EXPECT_EQ(zv::PlaylistAddFilter(types, texts),
            u"Media|*.avi;*.mp3;*.zvp;*.m3u|Video|*.avi|Audio|*.mp3|All (*.*)|*.*||");
  EXPECT_EQ(zv::PlaylistOpenFilter(types, texts), u"Playlists|*.zvp;*.m3u|All (*.*)|*.*||");
  EXPECT_EQ(zv::PlaylistSaveFilter(texts), u"Playlists (*.zvp)|*.zvp|All (*.*)|*.*||");
}
