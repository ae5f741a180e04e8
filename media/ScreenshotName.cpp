#include "media/ScreenshotName.h"

namespace zv {

namespace {

std::u16string Number(long long value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

}  // namespace

std::u16string ScreenshotBasePath(const std::u16string& folder, const std::u16string& mediaFileName) {
  std::u16string base = folder;
  if (base.empty() || base.back() != u'\\') base += u'\\';
  const size_t dot = mediaFileName.rfind(u'.');
  base += dot == std::u16string::npos ? mediaFileName : mediaFileName.substr(0, dot);
  return base;
}

std::u16string ScreenshotFileName(const std::u16string& base, long long frame, long long positionMs,
                                  const std::u16string& type,
                                  const std::function<bool(const std::u16string&)>& exists) {
  if (frame >= 0) return base + u"_" + Number(frame) + u"." + type;
  const std::u16string stem = base + u"_" + Number(positionMs < 0 ? 0 : positionMs) + u"ms";
  std::u16string name = stem + u"." + type;
  // Bounded: a folder holding this many pictures of one position gets the
  // last name replaced rather than a loop without end.
  for (int counter = 2; counter < 100000 && exists(name); ++counter)
    name = stem + u"_" + Number(counter) + u"." + type;
  return name;
}

}  // namespace zv
