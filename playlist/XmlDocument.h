#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "playlist/XmlElementIndex.h"
#include "playlist/XmlFileCodec.h"
#include "playlist/XmlResultLog.h"

namespace zv {

// The program's own small markup document: the whole text in one string
// plus an index of element positions. Reading tolerates ill-formed markup
// (nothing is rejected, problems go to the result log); writing inserts each
// new element on a line of its own (CR LF, no indentation).
//
// Navigation keeps three positions: the parent, the main element (a child
// of the parent) and the child element (a child of the main element).
class XmlDocument {
 public:
  enum Flags : unsigned {
    kIgnoreCase = 8,        // names compare without regard to (ASCII) case
    kHtmlEntities = 0x10,   // unescaping also knows the named entities of HTML
  };

  explicit XmlDocument(unsigned flags = 0) : flags_(flags) { SetDocument(u""); }

  // Parses text. True when the document is well formed in this sense:
  // exactly one top-level element and no element left unclosed (lone end
  // tags do not count). Resets the position.
  bool SetDocument(std::u16string_view text);
  // The same, taking the text over instead of copying it (big playlists).
  bool TakeDocument(std::u16string&& text);
  const std::u16string& Document() const { return text_; }
  const std::u16string& ResultLog() const { return log_.Text(); }
  bool IsWellFormed() const { return wellFormed_; }
  unsigned DocumentFlags() const { return flags_; }

  // Moves the main position to the next sibling element of that name (any
  // name when empty); from the parent's first child when there is no main
  // position. False, and nothing moves, when there is none.
  bool FindElement(std::u16string_view name = {});
  // Within the main element (found first when unset), moves the child
  // position to the next child element of that name.
  bool FindChildElement(std::u16string_view name = {});
  // The main element becomes the parent, the child position the main position.
  bool IntoElement();
  // The parent becomes the main position again.
  bool OutOfElement();
  void ResetPosition();
  void ResetMainPosition();
  void ResetChildPosition() { child_ = 0; }

  std::u16string TagName() const { return NameOf(main_); }
  std::u16string ChildTagName() const { return NameOf(child_); }
  std::u16string Attribute(std::u16string_view name) const { return AttributeOf(main_, name); }
  std::u16string ChildAttribute(std::u16string_view name) const { return AttributeOf(child_, name); }
  std::u16string Data() const { return DataOf(main_); }
  std::u16string ChildData() const { return DataOf(child_); }

  // Insert a new element after the main (child) position, or as the last
  // element of the parent (main element) when the position is unset; the
  // new element becomes the position. An element without text is written
  // as an empty-element tag. False when there is nowhere to insert.
  bool AddElement(std::u16string_view name, std::u16string_view text = {});
  bool AddChildElement(std::u16string_view name, std::u16string_view text = {});
  // Insert or replace an attribute of the main (child) element.
  bool SetAttribute(std::u16string_view name, std::u16string_view value);
  bool SetChildAttribute(std::u16string_view name, std::u16string_view value);

  // The encoding the document names: the "encoding" of the XML declaration;
  // for an "html" root the charset of a "meta" element in "head"; else "UTF-8".
  std::u16string EncodingName() const;

  // Whole files through the platform's file access. ReadFile detects the
  // file's encoding, converts it and parses the text; the log then holds the
  // file's events ("read", "utf8_detection", "converted_from"...) before the
  // parser's. WriteFile writes the document in `encoding`, by default the one
  // the document names (EncodingName), and logs "write" and the conversion.
  // Both log "file_error" with the system's message text when the file cannot
  // be read or written, and return false then.
  bool ReadFile(const std::u16string& path, XmlFileSystem& files);
  bool WriteFile(const std::u16string& path, XmlFileSystem& files, std::u16string_view encoding = {});

  // Longest text SetDocument accepts; longer input is refused and logged.
  static constexpr size_t kMaxLength = 0x3FFFFFFF;

 private:
  friend class XmlParser;

  bool RejectTooLong(size_t length);
  bool ParseText(std::u16string_view text);  // keeps the log
  void Empty();
  std::u16string_view NameView(int32_t record) const;
  std::u16string NameOf(int32_t record) const;
  std::u16string AttributeOf(int32_t record, std::u16string_view name) const;
  std::u16string DataOf(int32_t record) const;
  bool NamesEqual(std::u16string_view a, std::u16string_view b) const;
  int32_t FindSibling(int32_t from, std::u16string_view name) const;
  int32_t LastChild(int32_t record) const;

  int32_t InsertElement(int32_t parent, int32_t after, std::u16string_view name,
                        std::u16string_view text);
  bool SetAttributeOf(int32_t record, std::u16string_view name, std::u16string_view value);
  void ReplaceText(size_t offset, size_t removed, std::u16string_view inserted);
  void LinkAfter(int32_t parent, int32_t after, int32_t record);
  void AdjustAfterEdit(int32_t record, int32_t delta, bool shiftOwnChildren);
  void ShiftSubtree(int32_t record, int32_t delta);

  unsigned flags_;
  std::u16string text_;
  XmlElementIndex index_;
  XmlResultLog log_;
  bool wellFormed_ = false;
  int32_t declarationStart_ = -1;   // "<?xml ... ?>", when present
  int32_t declarationLength_ = 0;

  int32_t parent_ = 0;
  int32_t main_ = 0;
  int32_t child_ = 0;
};

}  // namespace zv
