#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "playlist/XmlDocument.h"

// Parses arbitrary UTF-16 text, walks the whole tree, reads attributes and
// data, and edits the result.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  unsigned flags = (data[0] & 1) ? zv::XmlDocument::kIgnoreCase : 0;
  if (data[0] & 2) flags |= zv::XmlDocument::kHtmlEntities;
  std::u16string text;
  for (size_t i = 1; i + 1 < size; i += 2) text += static_cast<char16_t>(data[i] | (data[i + 1] << 8));

  zv::XmlDocument doc(flags);
  doc.SetDocument(text);
  (void)doc.EncodingName();
  int steps = 0;
  // Depth-first walk without recursion, bounded so big inputs stay quick.
  while (steps++ < 5000) {
    if (doc.FindElement()) {
      (void)doc.TagName();
      (void)doc.Attribute(u"a");
      (void)doc.Data();
      if (doc.FindChildElement()) {
        (void)doc.ChildData();
        (void)doc.ChildAttribute(u"href");
      }
      doc.ResetChildPosition();
      doc.IntoElement();
      continue;
    }
    if (!doc.OutOfElement()) break;
  }
  doc.ResetPosition();
  if (doc.FindElement()) {
    doc.SetAttribute(u"a", u"\"&<>'");
    doc.AddChildElement(u"n", u"t]]>&");
    doc.SetChildAttribute(u"b", u"v");
    doc.AddChildElement(u"e");
    zv::XmlDocument again(flags);
    again.SetDocument(doc.Document());
  }
  if (doc.ResultLog().size() > zv::XmlResultLog::kLimit) abort();

  // A name the writer accepts is read back as that name, with its text.
  const std::u16string name = text.substr(0, 6);
  zv::XmlDocument built;
  built.AddElement(u"r");
  if (built.AddChildElement(name, u"x<y")) {
    zv::XmlDocument back;
    if (!back.SetDocument(built.Document()) || !back.FindElement(u"r") || !back.FindChildElement(name) ||
        back.ChildData() != u"x<y")
      abort();
  }
  return 0;
}
