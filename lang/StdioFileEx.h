#pragma once
// A line-oriented text file that knows byte-order marks: UTF-16
// little-endian files (FF FE) and files in a code page, where 65001 is UTF-8
// with the mark EF BB BF. Used for language and playlist files.
#include "framework/Handle.h"
#include "framework/WinInclude.h"

#include <cstdint>
#include <string>
#include <vector>

class CStdioFileEx {
 public:
  // Open flags. Text mode is accepted and replaced by raw-byte access.
  static constexpr unsigned modeRead = 0x0000;
  static constexpr unsigned modeWrite = 0x0001;
  static constexpr unsigned modeReadWrite = 0x0002;
  static constexpr unsigned modeCreate = 0x1000;
  static constexpr unsigned modeNoTruncate = 0x2000;
  static constexpr unsigned typeText = 0x4000;
  static constexpr unsigned typeBinary = 0x8000;
  // Asks for UTF-16 little-endian when writing.
  static constexpr unsigned modeWriteUnicode = 0x200000;

  CStdioFileEx() = default;
  CStdioFileEx(const CStdioFileEx&) = delete;
  CStdioFileEx& operator=(const CStdioFileEx&) = delete;

  // Opening for reading (neither create nor write) looks at the first two
  // bytes: FF FE switches Unicode on.
  bool Open(const std::wstring& path, unsigned flags);
  void Close();
  bool IsOpen() const { return static_cast<bool>(file_); }

  // The next line without its line end (a trailing CR is dropped); the mark
  // is skipped at the start of the file. False at the end of the file.
  bool ReadString(std::wstring& line);
  // The first write at the start of the file writes the mark first.
  bool WriteString(const std::wstring& text);

  // Moves to an absolute byte position.
  bool SeekTo(uint64_t position);

  bool IsUnicode() const { return unicode_; }
  // The code page of files that are not Unicode (the system ANSI code page
  // unless set); 65001 is UTF-8.
  void SetCodePage(UINT codePage) { codePage_ = codePage; }
  UINT CodePage() const { return codePage_; }
  unsigned OpenFlags() const { return flags_; }

 private:
  bool FillBuffer();
  bool ReadByte(uint8_t& byte);
  bool PeekBytesAtStart(const uint8_t* mark, size_t length);
  bool WriteBytes(const void* data, size_t length);

  fw::FileHandle file_;
  bool unicode_ = false;
  unsigned flags_ = 0;
  UINT codePage_ = CP_ACP;
  bool atStart_ = true;
  uint64_t position_ = 0;  // logical position of the next byte
  std::vector<uint8_t> buffer_;
  size_t bufferPos_ = 0;
};
