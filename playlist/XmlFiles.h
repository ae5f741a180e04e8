#pragma once
// The Windows side of XmlDocument's file reading and writing: files through
// the system, messages from the system, and the system's ANSI code page.
#include "playlist/XmlFileCodec.h"

// The process's ANSI code page (GetACP).
class CAnsiCodePage : public zv::XmlCodePage {
 public:
  std::u16string Name() const override;
  std::u16string Decode(std::string_view bytes, size_t& lost) const override;
  std::string Encode(std::u16string_view text, size_t& lost) const override;
};

class CXmlFiles : public zv::XmlFileSystem {
 public:
  ReadResult Read(const std::u16string& path, size_t maxBytes, std::vector<uint8_t>& bytes,
                  std::u16string& error) override;
  // Writes a new file beside the target and puts it in the target's place
  // only when complete, so a failed write leaves the old file.
  bool Write(const std::u16string& path, const std::vector<uint8_t>& bytes, std::u16string& error) override;
  const zv::XmlCodePage& AnsiCodePage() const override { return ansi_; }

 private:
  CAnsiCodePage ansi_;
};
