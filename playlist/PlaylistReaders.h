#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace zv {

// Entries read from the text of one playlist file, before the relative-path
// rule. accepted is false when the text is not a document of the expected
// kind; the list must then stay as it is.
struct ParsedPlaylist {
  bool accepted = false;
  std::vector<std::u16string> entries;
  int startPosition = 1;  // 1-based
};

// M3U and RAM: every line that is not empty and not a "#" comment.
ParsedPlaylist ParseLineList(std::u16string_view text);
// PLS: the text after the first "=" of every line that starts with "File" (any case).
ParsedPlaylist ParsePls(std::u16string_view text);
// ASX: the trimmed "href" of the first "ref" in each "entry" of the "asx"
// root. Names compare without regard to case, as ASX files are written both ways.
ParsedPlaylist ParseAsx(std::u16string_view text);
ParsedPlaylist ParseAsx(std::u16string&& text);  // takes the text over
// The program's own format: the "media" texts of "zentravue/playlist" and its
// "lastPosition" (values below 1 become 1).
ParsedPlaylist ParseOwnPlaylist(std::u16string_view text);
ParsedPlaylist ParseOwnPlaylist(std::u16string&& text);  // takes the text over

}  // namespace zv
