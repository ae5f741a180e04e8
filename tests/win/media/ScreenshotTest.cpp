// Screenshots of the four-quadrant pattern: the files decode to the source
// size and show the quadrants' colours.
#include "tests/win/media/MediaTestSupport.h"

#include "image/JpegCodec.h"

#include <gtest/gtest.h>


using namespace zvtest;

namespace {

// The colours are checked too; with ZV_RENDERER naming a renderer whose
// frames the platform garbles they can be switched off here.
constexpr bool kCheckColours = true;

std::vector<uint8_t> ReadBytes(const std::wstring& path) {
  std::vector<uint8_t> bytes;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  bytes.resize(GetFileSize(file, nullptr));
  DWORD read = 0;
  if (!bytes.empty()) ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  CloseHandle(file);
  return bytes;
}

// The screenshots "<base>_<frame>.<extension>" there are.
std::vector<std::wstring> ShotsOf(const std::wstring& base, const std::wstring& extension) {
  std::vector<std::wstring> paths;
  const std::wstring folder = base.substr(0, base.find_last_of(L'\\') + 1);
  WIN32_FIND_DATAW found{};
  HANDLE find = FindFirstFileW((base + L"_*." + extension).c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return paths;
  do {
    paths.push_back(folder + found.cFileName);
  } while (FindNextFileW(find, &found));
  FindClose(find);
  return paths;
}

void ExpectNear(zv::Rgb actual, zv::Rgb expected, int tolerance) {
  EXPECT_NEAR(actual.r, expected.r, tolerance);
  EXPECT_NEAR(actual.g, expected.g, tolerance);
  EXPECT_NEAR(actual.b, expected.b, tolerance);
}

void ExpectQuadrants(const zv::PixelImage& image, int tolerance) {
  ASSERT_EQ(image.Width(), 320);
  ASSERT_EQ(image.Height(), 240);
  ExpectNear(image.At(80, 60), {255, 0, 0}, tolerance);
  ExpectNear(image.At(240, 60), {0, 255, 0}, tolerance);
  ExpectNear(image.At(80, 180), {0, 0, 255}, tolerance);
  ExpectNear(image.At(240, 180), {255, 255, 255}, tolerance);
}

}  // namespace

TEST(Screenshot, BmpAndJpegShowThePatternAtTheSourceSize) {
  OwnerWindow owner;
  auto settings = DefaultSettings();
  TraceFile trace(L"zv_shot.log");
  auto media = OpenMedia(MediaPath(L"pattern.avi"), owner, *settings, trace.log());
  ASSERT_TRUE(media->IsRendered());
  media->SetPosition(50);
  media->Play();
  Pump(200);
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring base = std::wstring(temp) + L"zv_pattern";
  for (const wchar_t* extension : {L"bmp", L"jpg"})
    for (const std::wstring& old : ShotsOf(base, extension)) DeleteFileW(old.c_str());
  std::wstring bmpPath, jpegPath;
  EXPECT_EQ(media->SaveCurrentImage(base, L"bmp", &bmpPath), SaveImageResult::kSaved);
  EXPECT_EQ(media->SaveCurrentImage(base, L"jpg", &jpegPath), SaveImageResult::kSaved);
  EXPECT_EQ(SettledState(*media), kStateRunning) << "playback continues after the screenshot";
  media.reset();

  // Named after the frame shown: the file's frame rate gives its number
  // where the platform cannot count frames.
  EXPECT_EQ(bmpPath.find(L"_-1."), std::wstring::npos) << testing::PrintToString(bmpPath);
  std::vector<uint8_t> bmp = ReadBytes(bmpPath);
  ASSERT_FALSE(bmp.empty()) << testing::PrintToString(trace.Text().substr(trace.Text().rfind(L"VF_CSTOR::Disable")));
  const zv::PixelImage fromBmp = zv::DecodeBmp(bmp.data(), bmp.size());
  EXPECT_EQ(fromBmp.Width(), 320);
  EXPECT_EQ(fromBmp.Height(), 240);
  if (kCheckColours) ExpectQuadrants(fromBmp, 12);
  std::vector<uint8_t> jpeg = ReadBytes(jpegPath);
  ASSERT_FALSE(jpeg.empty());
  ASSERT_EQ(jpeg[0], 0xFF);
  ASSERT_EQ(jpeg[1], 0xD8);
  const zv::PixelImage fromJpeg = zv::DecodeJpeg(jpeg.data(), jpeg.size());
  EXPECT_EQ(fromJpeg.Width(), 320);
  EXPECT_EQ(fromJpeg.Height(), 240);
  if (kCheckColours) ExpectQuadrants(fromJpeg, 20);
  DeleteFileW(bmpPath.c_str());
  DeleteFileW(jpegPath.c_str());
}

TEST(ImageCodec, JpegRoundTripKeepsSizeAndColours) {
  zv::PixelImage image(64, 48);
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 64; ++x) image.Set(x, y, x < 32 ? zv::Rgb{200, 40, 40} : zv::Rgb{30, 30, 220});
  const std::vector<uint8_t> jpeg = zv::EncodeJpeg(image, 90, 96);
  ASSERT_GT(jpeg.size(), 100u);
  EXPECT_EQ(jpeg[13], 1) << "density in dots per inch";
  EXPECT_EQ(jpeg[15], 96);
  const zv::PixelImage back = zv::DecodeJpeg(jpeg.data(), jpeg.size());
  ASSERT_EQ(back.Width(), 64);
  ASSERT_EQ(back.Height(), 48);
  ExpectNear(back.At(8, 8), {200, 40, 40}, 10);
  ExpectNear(back.At(56, 40), {30, 30, 220}, 10);
  EXPECT_TRUE(zv::DecodeJpeg(jpeg.data(), 20).Empty() || zv::DecodeJpeg(jpeg.data(), 20).Width() == 64);
  const uint8_t junk[] = {1, 2, 3, 4, 5};
  EXPECT_TRUE(zv::DecodeJpeg(junk, sizeof(junk)).Empty());
}
