#include "player/OpenDialogFilter.h"

#include "app/FileAssocs.h"

#include <gtest/gtest.h>

namespace {

void Fill(zv::FileTypeList& types) {
  types.PushBack(u"avi", CFileAssocs::kVideo | CFileAssocs::kAssociated);
  types.PushBack(u"mp3", CFileAssocs::kAudio);
  types.PushBack(u"m3u", CFileAssocs::kPlaylist);
  types.PushBack(u"ogg", CFileAssocs::kVideo | CFileAssocs::kAudio);
}

}  // namespace

TEST(OpenDialogFilter, ListsEveryTypeThenEachCategoryThenAllFiles) {
  zv::FileTypeList types;
  Fill(types);
  const zv::OpenDialogTexts texts{u"Media files", u"Video files", u"Audio files", u"Playlists", u"All files"};
  EXPECT_EQ(zv::BuildOpenDialogFilter(types, texts),
            u"Media files|*.avi;*.mp3;*.m3u;*.ogg;|"
            u"Video files|*.avi;*.ogg;|"
            u"Audio files|*.mp3;*.ogg;|"
            u"Playlists|*.m3u;|"
            u"All files (*.*)|*.*||");
}

TEST(OpenDialogFilter, EmptyTableAndMissingTextsStillGiveEveryFilter) {
  zv::FileTypeList types;
  EXPECT_EQ(zv::BuildOpenDialogFilter(types, {}), u"|||||||| (*.*)|*.*||");
}

TEST(OpenDialogFilter, AudioTrackDialogOffersAudioTypesAndAllFiles) {
  zv::FileTypeList types;
  Fill(types);
  EXPECT_EQ(zv::BuildAudioTrackFilter(types, u"Audio", u"All"), u"Audio|*.mp3;*.ogg;|All (*.*)|*.*||");
  EXPECT_EQ(zv::BuildAllFilesFilter(u"All"), u"All (*.*)|*.*||");
}

TEST(OpenDialogFilter, ErrorNamesOfTheCommonDialog) {
  EXPECT_EQ(zv::CommonDialogErrorName(1), u"CDERR_STRUCTSIZE");
  EXPECT_EQ(zv::CommonDialogErrorName(12), u"CDERR_REGISTERMSGFAIL");
  EXPECT_EQ(zv::CommonDialogErrorName(12289), u"FNERR_SUBCLASSFAILURE");
  EXPECT_EQ(zv::CommonDialogErrorName(12290), u"FNERR_INVALIDFILENAME");
  EXPECT_EQ(zv::CommonDialogErrorName(12291, 70000, 65536),
            u"FNERR_BUFFERTOOSMALL:70000 Bytes needed, 65536 Bytes available");
  EXPECT_EQ(zv::CommonDialogErrorName(65535), u"CDERR_DIALOGFAILURE");
  // Cancel has no error of its own.
  EXPECT_EQ(zv::CommonDialogErrorName(0), u"UNKNOWN ERROR CODE:0");
  EXPECT_EQ(zv::CommonDialogErrorName(13), u"UNKNOWN ERROR CODE:13");
}
