#include "lang/StdioFileEx.h"

namespace {

constexpr uint8_t kUtf16Mark[] = {0xFF, 0xFE};
constexpr uint8_t kUtf8Mark[] = {0xEF, 0xBB, 0xBF};
constexpr size_t kBufferSize = 4096;

}  // namespace

bool CStdioFileEx::Open(const std::wstring& path, unsigned flags) {
  Close();
  flags_ = (flags & ~typeText) | typeBinary;
  const bool writing = (flags & (modeWrite | modeReadWrite)) != 0;
  const bool creating = (flags & modeCreate) != 0;
  DWORD access = GENERIC_READ;
  if (flags & modeWrite) access = GENERIC_WRITE;
  if (flags & modeReadWrite) access = GENERIC_READ | GENERIC_WRITE;
  DWORD disposition = OPEN_EXISTING;
  if (creating) disposition = (flags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
  file_.Reset(CreateFileW(path.c_str(), access, FILE_SHARE_READ, nullptr, disposition, FILE_ATTRIBUTE_NORMAL,
                          nullptr));
  if (!file_) return false;
  position_ = 0;
  buffer_.clear();
  bufferPos_ = 0;
  atStart_ = true;
  unicode_ = (flags & modeWriteUnicode) != 0;
  if (!writing && !creating) {
    unicode_ = PeekBytesAtStart(kUtf16Mark, sizeof kUtf16Mark);
    SeekTo(0);
  }
  return true;
}

void CStdioFileEx::Close() {
  file_.Reset();
  buffer_.clear();
  bufferPos_ = 0;
}

bool CStdioFileEx::SeekTo(uint64_t position) {
  if (!file_) return false;
  LARGE_INTEGER target{};
  target.QuadPart = static_cast<LONGLONG>(position);
  if (!SetFilePointerEx(file_.get(), target, nullptr, FILE_BEGIN)) return false;
  position_ = position;
  buffer_.clear();
  bufferPos_ = 0;
  atStart_ = true;
  return true;
}

bool CStdioFileEx::FillBuffer() {
  buffer_.resize(kBufferSize);
  DWORD got = 0;
  if (!ReadFile(file_.get(), buffer_.data(), static_cast<DWORD>(buffer_.size()), &got, nullptr)) got = 0;
  buffer_.resize(got);
  bufferPos_ = 0;
  return got > 0;
}

bool CStdioFileEx::ReadByte(uint8_t& byte) {
  if (bufferPos_ >= buffer_.size() && !FillBuffer()) return false;
  byte = buffer_[bufferPos_++];
  ++position_;
  return true;
}

bool CStdioFileEx::PeekBytesAtStart(const uint8_t* mark, size_t length) {
  for (size_t i = 0; i < length; ++i) {
    uint8_t byte = 0;
    if (!ReadByte(byte) || byte != mark[i]) return false;
  }
  return true;
}

bool CStdioFileEx::ReadString(std::wstring& line) {
  line.clear();
  if (!file_) return false;
  if (position_ == 0) {
    // Skip the mark, but only a mark that is there: a UTF-8 file without one
    // keeps its first characters.
    const uint8_t* mark = unicode_ ? kUtf16Mark : kUtf8Mark;
    const size_t length = unicode_ ? sizeof kUtf16Mark : sizeof kUtf8Mark;
    if (unicode_ || codePage_ == CP_UTF8) {
      if (!PeekBytesAtStart(mark, length)) SeekTo(0);
    }
  }
  atStart_ = false;
  bool any = false;
  if (unicode_) {
    for (;;) {
      uint8_t low = 0, high = 0;
      if (!ReadByte(low)) break;
      any = true;
      if (!ReadByte(high)) break;  // an odd last byte is dropped
      const wchar_t c = static_cast<wchar_t>(low | high << 8);
      if (c == L'\n') break;
      line += c;
    }
  } else {
    std::string bytes;
    for (;;) {
      uint8_t byte = 0;
      if (!ReadByte(byte)) break;
      any = true;
      if (byte == '\n') break;
      bytes += static_cast<char>(byte);
    }
    if (!bytes.empty()) {
      const int n = MultiByteToWideChar(codePage_, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
      line.resize(static_cast<size_t>(n > 0 ? n : 0));
      if (n > 0)
        MultiByteToWideChar(codePage_, 0, bytes.data(), static_cast<int>(bytes.size()), line.data(), n);
    }
  }
  if (!line.empty() && line.back() == L'\r') line.pop_back();
  return any;
}

bool CStdioFileEx::WriteBytes(const void* data, size_t length) {
  DWORD written = 0;
  if (!WriteFile(file_.get(), data, static_cast<DWORD>(length), &written, nullptr) || written != length)
    return false;
  position_ += written;
  return true;
}

bool CStdioFileEx::WriteString(const std::wstring& text) {
  if (!file_) return false;
  if (atStart_ && position_ == 0) {
    if (unicode_ && !WriteBytes(kUtf16Mark, sizeof kUtf16Mark)) return false;
    if (!unicode_ && codePage_ == CP_UTF8 && !WriteBytes(kUtf8Mark, sizeof kUtf8Mark)) return false;
  }
  atStart_ = false;
  if (text.empty()) return true;
  if (unicode_) return WriteBytes(text.data(), text.size() * sizeof(wchar_t));
  const int n = WideCharToMultiByte(codePage_, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                    nullptr, nullptr);
  if (n <= 0) return false;
  std::string bytes(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(codePage_, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n, nullptr,
                      nullptr);
  return WriteBytes(bytes.data(), bytes.size());
}
