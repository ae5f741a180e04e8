#pragma once
// Names of screenshot files, without the file system: the base path the
// player window hands to the media object, and the file name the media
// object saves under.
#include <functional>
#include <string>

namespace zv {

// Folder (a backslash added when it does not end in one) and the media file's
// own name without its extension; a name without a dot is used whole.
std::u16string ScreenshotBasePath(const std::u16string& folder, const std::u16string& mediaFileName);

// "<base>_<frame>.<type>" when the frame number is known (frame >= 0); an
// earlier picture of that frame is replaced. Where the media cannot count
// frames the position in milliseconds takes its place,
// "<base>_<ms>ms.<type>", and a name that exists already gets "_2", "_3" ...
// so that no earlier picture is replaced. exists tells whether a file of a
// name exists.
std::u16string ScreenshotFileName(const std::u16string& base, long long frame, long long positionMs,
                                  const std::u16string& type,
                                  const std::function<bool(const std::u16string&)>& exists);

}  // namespace zv
