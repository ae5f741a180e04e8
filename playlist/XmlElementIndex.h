#pragma once
#include <cstdint>
#include <memory>
#include <vector>

namespace zv {

// Flags of an element record (the low 16 bits hold the nesting depth).
enum XmlElementFlags : uint32_t {
  kXmlDepthMask = 0xFFFF,
  kXmlEmptyElement = 0x10000,     // written as an empty-element tag
  kXmlIllFormed = 0x20000,        // document record: an element was left unclosed
  kXmlUnended = 0x40000,          // closed without its end tag
  kXmlChildrenLifted = 0x80000,   // its children were moved up to follow it
};

// Position of one element in the document text. Record 0 stands for the
// document: its length is the text length, its first child the root. The
// first child's previous link points to the last child. Tag lengths are kept
// in full words: a packed word would corrupt the index for a start tag above
// 4 M characters or an end tag above 1023.
struct XmlElementRecord {
  // No member initialisers: pages are allocated without a clearing pass, and
  // every record is written whole (XmlElementRecord{}) when it is added.
  int32_t start;
  int32_t length;
  int32_t startTagLength;
  int32_t endTagLength;
  uint32_t flags;
  int32_t parent;
  int32_t firstChild;
  int32_t next;
  int32_t previous;

  int32_t End() const { return start + length; }
  bool IsEmptyElement() const { return (flags & kXmlEmptyElement) != 0; }
};

// The element records in pages of 65536, so that growing a big index never
// moves the records already written.
class XmlElementIndex {
 public:
  static constexpr int32_t kPageSize = 65536;

  // Forgets every record and prepares room for about capacity records;
  // afterwards only record 0 exists.
  void Reset(int32_t capacity);
  int32_t Add();
  int32_t Size() const { return size_; }
  XmlElementRecord& operator[](int32_t n) { return pages_[n / kPageSize][n % kPageSize]; }
  const XmlElementRecord& operator[](int32_t n) const { return pages_[n / kPageSize][n % kPageSize]; }

 private:
  void Grow();

  std::vector<std::unique_ptr<XmlElementRecord[]>> pages_;
  int32_t size_ = 0;
  int32_t capacity_ = 0;
};

}  // namespace zv
