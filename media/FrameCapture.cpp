// CDirectShow: the screenshot. The frame on screen is grabbed from the
// renderer while the graph is paused, turned top-down, brought to the source
// size and handed to the image codec.
#include "media/DirectShow.h"

#include "framework/Handle.h"
#include "framework/WideString.h"
#include "image/BitmapImage.h"
#include "media/PlatformQuirks.h"
#include "media/ScreenshotName.h"

namespace {

constexpr ULONGLONG kFrameWaitMs = 1000;

// Pixels start after the header, the three colour masks of BI_BITFIELDS and
// the colour table.
size_t PixelOffset(const BITMAPINFOHEADER& h) {
  size_t offset = h.biSize;
  if (h.biCompression == BI_BITFIELDS) offset += 3 * sizeof(DWORD);
  if (h.biBitCount <= 8) offset += (h.biClrUsed ? h.biClrUsed : (1u << h.biBitCount)) * sizeof(RGBQUAD);
  return offset;
}

}  // namespace

bool CDirectShow::GrabFrame(std::vector<BYTE>* header, std::vector<BYTE>* pixels) {
  if (UsesEnhancedRenderer()) {
    BITMAPINFOHEADER h{};
    h.biSize = sizeof(BITMAPINFOHEADER);
    BYTE* dib = nullptr;
    DWORD size = 0;
    LONGLONG timestamp = 0;
    if (FAILED(displayControl_->GetCurrentImage(&h, &dib, &size, &timestamp)) || !dib) return false;
    header->assign(reinterpret_cast<BYTE*>(&h), reinterpret_cast<BYTE*>(&h) + sizeof(h));
    pixels->assign(dib, dib + size);
    CoTaskMemFree(dib);
    return true;
  }
  if (!basicVideo_) return false;
  if (!zv::MixingRendererFramesUsable() && rendererName_.rfind(L"Video Mixing Renderer", 0) == 0) {
    Trace(L"CMedia_SaveCurrentImage::FrameUnusable");
    return false;
  }
  long size = 0;
  if (FAILED(LogResult(L"CMedia_SaveCurrentImage::ImageSize", basicVideo_->GetCurrentImage(&size, nullptr))) ||
      size <= 0) {
    // Some renderers cannot report the size alone; room for the largest
    // frame they deliver (32 bits per pixel) is enough.
    long w = 0, h = 0;
    if (FAILED(basicVideo_->GetVideoSize(&w, &h)) || w <= 0 || h <= 0 || w > 16384 || h > 16384) return false;
    size = static_cast<long>(sizeof(BITMAPINFOHEADER) + 3 * sizeof(DWORD) + static_cast<size_t>(w) * h * 4);
  }
  std::vector<BYTE> buffer(static_cast<size_t>(size));
  HRESULT hr = basicVideo_->GetCurrentImage(&size, reinterpret_cast<long*>(buffer.data()));
  // A renderer that was running holds no picture until the first frame after
  // the pause arrives (Wine's classic renderer says E_UNEXPECTED meanwhile).
  const ULONGLONG deadline = GetTickCount64() + kFrameWaitMs;
  while (hr == E_UNEXPECTED && GetTickCount64() < deadline) {
    // The renderer may need this thread's window to take the frame.
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_SENDMESSAGE | QS_PAINT);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE | PM_QS_SENDMESSAGE | PM_QS_PAINT)) DispatchMessageW(&msg);
    hr = basicVideo_->GetCurrentImage(&size, reinterpret_cast<long*>(buffer.data()));
  }
  if (FAILED(LogResult(L"CMedia_SaveCurrentImage::Image", hr))) return false;
  if (buffer.size() < sizeof(BITMAPINFOHEADER)) return false;
  const auto* info = reinterpret_cast<const BITMAPINFOHEADER*>(buffer.data());
  Trace(fw::Format(L"CMedia_SaveCurrentImage::Frame:%08x %i*%i*%i;%u of %li", static_cast<unsigned>(info->biCompression),
                   static_cast<int>(info->biWidth), static_cast<int>(info->biHeight),
                   static_cast<int>(info->biBitCount), static_cast<unsigned>(info->biSizeImage), size));
  const size_t offset = PixelOffset(*info);
  if (offset > buffer.size()) return false;
  header->assign(buffer.begin(), buffer.begin() + sizeof(BITMAPINFOHEADER));
  pixels->assign(buffer.begin() + static_cast<std::ptrdiff_t>(offset), buffer.end());
  return true;
}

SaveImageResult CDirectShow::SaveCurrentImage(const std::wstring& baseName, const std::wstring& extension,
                                              std::wstring* savedAs) {
  if (!HasVideo()) return SaveImageResult::kNoPicture;
  SaveState();
  Pause();
  WaitForStateChange();
  SaveImageResult result = SaveImageResult::kNoPicture;
  std::vector<BYTE> header, pixels;
  if (GrabFrame(&header, &pixels)) {
    const auto* h = reinterpret_cast<const BITMAPINFOHEADER*>(header.data());
    const std::wstring path = fw::ToWide(zv::ScreenshotFileName(
        fw::ToU16(baseName), GetCurrentFrame(), static_cast<long long>(GetPosition()) * 10, fw::ToU16(extension),
        [](const std::u16string& name) {
          return GetFileAttributesW(fw::ToWide(name).c_str()) != INVALID_FILE_ATTRIBUTES;
        }));
    const int width = h->biWidth;
    const int height = h->biHeight < 0 ? -h->biHeight : h->biHeight;
    const int bitCount = h->biBitCount;
    const size_t rowBytes = static_cast<size_t>(width) * static_cast<size_t>(bitCount / 8);
    const size_t sourceStride = zv::DibStride(width, bitCount);
    const size_t bitmapStride = (rowBytes + 1) & ~static_cast<size_t>(1);  // device bitmaps pad rows to 2 bytes
    CBitmapImage image;
    if (zv::IsPlanarYuv420(h->biCompression)) {
      // Wine's renderers hand out the decoder's planar frame as it is.
      image = CBitmapImage(zv::FromYuv420(pixels.data(), pixels.size(), width, height, h->biCompression));
    } else if (width > 0 && height > 0 && width <= zv::kMaxImageSide && height <= zv::kMaxImageSide &&
        (bitCount == 24 || bitCount == 32) && pixels.size() / sourceStride >= static_cast<size_t>(height)) {
      // A bottom-up frame becomes a top-down bitmap: its last row comes first.
      const bool bottomUp = h->biHeight > 0;
      std::vector<BYTE> topDown(bitmapStride * static_cast<size_t>(height));
      for (int k = 0; k < height; ++k) {
        const int source = bottomUp ? height - 1 - k : k;
        memcpy(topDown.data() + static_cast<size_t>(k) * bitmapStride,
               pixels.data() + static_cast<size_t>(source) * sourceStride, rowBytes);
      }
      fw::GdiObject bitmap(CreateBitmap(width, height, h->biPlanes ? h->biPlanes : 1, static_cast<UINT>(bitCount),
                                        topDown.data()));
      image = CBitmapImage::FromBitmap(static_cast<HBITMAP>(bitmap.get()));
    }
    if (!image.Empty()) {
      if (sourceWidth_ > 0 && sourceHeight_ > 0 &&
          (image.Width() != sourceWidth_ || image.Height() != sourceHeight_))
        image.Resample(sourceWidth_, sourceHeight_);
      const CBitmapImage::Format format = extension == L"bmp" ? CBitmapImage::kBmp : CBitmapImage::kJpeg;
      if (image.Save(path, format)) {
        result = SaveImageResult::kSaved;
        if (savedAs) *savedAs = path;
      } else {
        Trace(L"CMedia_SaveCurrentImage::NotWritten:" + path);
        result = SaveImageResult::kNotWritten;
      }
    }
  }
  RestoreState();
  return result;
}
