#include "playlist/XmlFiles.h"

#include "framework/Handle.h"
#include "framework/WideString.h"
#include "framework/WinInclude.h"
#include "playlist/PlaylistFileIo.h"

#include <algorithm>

namespace {

std::u16string SystemMessage(DWORD code) {
  wchar_t text[512] = {};
  DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text, 512,
                           nullptr);
  while (n > 0 && (text[n - 1] == L'\r' || text[n - 1] == L'\n' || text[n - 1] == L' ')) --n;
  if (n == 0) return fw::ToU16(fw::Format(L"error %lu", code));
  return fw::ToU16(std::wstring_view(text, n));
}

int Length(size_t n) { return static_cast<int>(std::min<size_t>(n, 0x7FFFFFFF)); }

}  // namespace

std::u16string CAnsiCodePage::Name() const { return fw::ToU16(fw::Format(L"windows-%u", GetACP())); }

std::u16string CAnsiCodePage::Decode(std::string_view bytes, size_t& lost) const {
  lost = 0;
  if (bytes.empty()) return {};
  int n = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes.data(), Length(bytes.size()), nullptr, 0);
  const bool strict = n > 0;
  if (!strict) n = MultiByteToWideChar(CP_ACP, 0, bytes.data(), Length(bytes.size()), nullptr, 0);
  if (n <= 0) {
    lost = bytes.size();
    return std::u16string(bytes.size(), u'\xFFFD');
  }
  std::wstring text(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, strict ? MB_ERR_INVALID_CHARS : 0, bytes.data(), Length(bytes.size()), text.data(), n);
  if (!strict) {
    // What the system put in place of the bytes it could not read.
    CPINFOEXW info{};
    const wchar_t fallback = GetCPInfoExW(CP_ACP, 0, &info) ? info.UnicodeDefaultChar : L'?';
    lost = static_cast<size_t>(std::count_if(text.begin(), text.end(),
                                             [&](wchar_t c) { return c == L'\xFFFD' || c == fallback; }));
    if (lost == 0) lost = 1;
  }
  return fw::ToU16(text);
}

std::string CAnsiCodePage::Encode(std::u16string_view text, size_t& lost) const {
  lost = 0;
  if (text.empty()) return {};
  const std::wstring wide = fw::ToWide(text);
  const UINT page = GetACP();
  // The UTF-8 code page holds every character; only lone surrogates are lost.
  const bool utf8 = page == CP_UTF8;
  BOOL usedDefault = FALSE;
  BOOL* used = utf8 ? nullptr : &usedDefault;
  const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
  const int n = WideCharToMultiByte(page, flags, wide.data(), Length(wide.size()), nullptr, 0, nullptr, used);
  if (n <= 0) {
    lost = text.size();
    return std::string(text.size(), '?');
  }
  std::string bytes(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(page, flags, wide.data(), Length(wide.size()), bytes.data(), n, nullptr, used);
  // Count the characters one by one only when some were lost.
  for (size_t i = 0; i < wide.size(); ++i) {
    const wchar_t c = wide[i];
    const bool pair = c >= 0xD800 && c <= 0xDBFF && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 && wide[i + 1] <= 0xDFFF;
    const bool lone = !pair && c >= 0xD800 && c <= 0xDFFF;
    if (utf8 || !usedDefault) {
      if (lone) ++lost;
    } else {
      BOOL one = FALSE;
      char buffer[8];
      WideCharToMultiByte(page, flags, wide.data() + i, pair ? 2 : 1, buffer, sizeof buffer, nullptr, &one);
      if (one || lone) ++lost;
    }
    if (pair) ++i;
  }
  return bytes;
}

zv::XmlFileSystem::ReadResult CXmlFiles::Read(const std::u16string& path, size_t maxBytes,
                                              std::vector<uint8_t>& bytes, std::u16string& error) {
  fw::FileHandle file(CreateFileW(fw::ToWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  LARGE_INTEGER size{};
  if (!file || !GetFileSizeEx(file.get(), &size)) {
    error = SystemMessage(GetLastError());
    return ReadResult::Failed;
  }
  if (static_cast<unsigned long long>(size.QuadPart) > maxBytes) return ReadResult::TooLarge;
  std::vector<uint8_t> data(static_cast<size_t>(size.QuadPart));
  size_t done = 0;
  while (done < data.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(data.size() - done, 1u << 20));
    DWORD read = 0;
    if (!::ReadFile(file.get(), data.data() + done, chunk, &read, nullptr)) {
      error = SystemMessage(GetLastError());
      return ReadResult::Failed;
    }
    if (read == 0) break;  // the file shrank meanwhile
    done += read;
  }
  data.resize(done);
  bytes = std::move(data);
  return ReadResult::Ok;
}

bool CXmlFiles::Write(const std::u16string& path, const std::vector<uint8_t>& bytes, std::u16string& error) {
  if (ReplaceFileContent(fw::ToWide(path), bytes)) return true;
  error = SystemMessage(GetLastError());
  return false;
}
