#include "image/BitmapImage.h"

#include "framework/Handle.h"
#include "image/JpegCodec.h"

#include <vector>

namespace {

// The bytes go to a sibling file first, which then replaces the target in
// one step: a write that fails half-way leaves an earlier file of that name
// as it was.
bool WriteWholeFile(const std::wstring& path, const std::vector<uint8_t>& bytes) {
  const std::wstring partial = path + L".partial";
  {
    fw::FileHandle file(
        CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD written = 0;
    if (!WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
        written != bytes.size()) {
      file.Reset();
      DeleteFileW(partial.c_str());
      return false;
    }
  }
  if (MoveFileExW(partial.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
  DeleteFileW(partial.c_str());
  return false;
}

std::vector<uint8_t> ReadWholeFile(const std::wstring& path) {
  fw::FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size{};
  if (!file || !GetFileSizeEx(file.get(), &size) || size.QuadPart > (64 << 20)) return {};
  std::vector<uint8_t> bytes(static_cast<size_t>(size.QuadPart));
  DWORD read = 0;
  if (!bytes.empty() && (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
                         read != bytes.size()))
    return {};
  return bytes;
}

}  // namespace

CBitmapImage CBitmapImage::FromBitmap(HBITMAP bitmap) {
  BITMAP info{};
  if (!bitmap || !GetObjectW(bitmap, sizeof(info), &info) || info.bmWidth <= 0 || info.bmHeight <= 0 ||
      info.bmWidth > zv::kMaxImageSide || info.bmHeight > zv::kMaxImageSide)
    return {};
  BITMAPINFO request{};
  request.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  request.bmiHeader.biWidth = info.bmWidth;
  request.bmiHeader.biHeight = -info.bmHeight;  // top-down
  request.bmiHeader.biPlanes = 1;
  request.bmiHeader.biBitCount = 32;
  request.bmiHeader.biCompression = BI_RGB;
  const size_t stride = zv::DibStride(info.bmWidth, 32);
  std::vector<uint8_t> bits(stride * static_cast<size_t>(info.bmHeight));
  HDC screen = GetDC(nullptr);
  const int lines = GetDIBits(screen, bitmap, 0, static_cast<UINT>(info.bmHeight), bits.data(), &request,
                              DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  if (lines != info.bmHeight) return {};
  return CBitmapImage(zv::FromDibRows(bits.data(), bits.size(), info.bmWidth, info.bmHeight, 32, stride, false));
}

CBitmapImage CBitmapImage::LoadJpeg(const std::wstring& path) {
  const std::vector<uint8_t> bytes = ReadWholeFile(path);
  return CBitmapImage(zv::DecodeJpeg(bytes.data(), bytes.size()));
}

bool CBitmapImage::Save(const std::wstring& path, Format format) const {
  if (Empty()) return false;
  const std::vector<uint8_t> bytes =
      format == kBmp ? zv::EncodeBmp(pixels_, DotsPerInchX) : zv::EncodeJpeg(pixels_, JpegQuality, DotsPerInchX);
  return !bytes.empty() && WriteWholeFile(path, bytes);
}
