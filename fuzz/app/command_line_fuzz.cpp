// Arguments are separated by line feeds in the fuzz input; bytes are widened
// one to one, so every UTF-16 unit below 256 can occur.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "app/CmdLineInfo.h"
#include "app/CmdLineValues.h"
#include "app/MediaUnits.h"
#include "framework/CommandLineSplit.h"

namespace {

struct IgnoreLanguage : zv::LanguageChoiceSink {
  void StoreLanguageChoice(const std::u16string&) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::u16string> arguments(1);
  for (size_t i = 0; i < size; ++i) {
    if (data[i] == '\n') {
      arguments.emplace_back();
      continue;
    }
    arguments.back() += static_cast<char16_t>(data[i]);
  }
  IgnoreLanguage sink;
  CCmdLineInfo info(&sink);
  info.ParseArguments(arguments);

  // The same bytes as one raw command line, split as at start-up.
  std::u16string raw;
  for (size_t i = 0; i < size; ++i) raw += static_cast<char16_t>(data[i]);
  CCmdLineInfo fromRaw(&sink);
  fromRaw.ParseArguments(fw::SplitCommandLine(raw));

  zv::InterpretSize(info.Size(), 720, 576);
  if (auto request = zv::ParseWindowPos(info.WindowPos())) zv::PlaceAtCorner(*request, 1920, 1080);
  zv::InterpretBorderColour(info.BorderColour());
  if (auto position = zv::InterpretJumpToPos(info.JumpToPos())) zv::FormatTime(*position);
  zv::PercentFromVolume(zv::InterpretVolume(info.Volume()));
  return 0;
}
