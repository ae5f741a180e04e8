#include "playlist/XmlDocument.h"

#include <gtest/gtest.h>

#include <string>

using zv::XmlDocument;

namespace {

int CountEvents(const std::u16string& log, std::u16string_view event) {
  std::u16string tag = u"<" + std::u16string(event) + u" ";
  std::u16string bare = u"<" + std::u16string(event) + u"/>";
  int n = 0;
  for (size_t at = log.find(tag); at != std::u16string::npos; at = log.find(tag, at + 1)) ++n;
  for (size_t at = log.find(bare); at != std::u16string::npos; at = log.find(bare, at + 1)) ++n;
  return n;
}

}  // namespace

TEST(XmlDocument, UnendedStartTagBecomesEmptyChild) {
  XmlDocument doc;
  EXPECT_FALSE(doc.SetDocument(u"<a><b></a>"));
  EXPECT_EQ(CountEvents(doc.ResultLog(), u"unended_start_tag"), 1);
  EXPECT_NE(doc.ResultLog().find(u"tagname=\"b\""), std::u16string::npos);
  ASSERT_TRUE(doc.FindElement(u"a"));
  ASSERT_TRUE(doc.FindChildElement(u"b"));
  EXPECT_EQ(doc.ChildData(), u"");
  EXPECT_FALSE(doc.FindChildElement());
}

TEST(XmlDocument, UnendedElementHandsItsChildrenUp) {
  XmlDocument doc;
  doc.SetDocument(u"<a><b><c>1</c><d>2</d></a>");
  ASSERT_TRUE(doc.FindElement(u"a"));
  ASSERT_TRUE(doc.FindChildElement(u"b"));
  ASSERT_TRUE(doc.FindChildElement(u"c"));
  EXPECT_EQ(doc.ChildData(), u"1");
  ASSERT_TRUE(doc.FindChildElement(u"d"));
  EXPECT_EQ(doc.ChildData(), u"2");
}

TEST(XmlDocument, LoneEndTagIsLoggedButDocumentStaysWellFormed) {
  XmlDocument doc;
  EXPECT_TRUE(doc.SetDocument(u"<a></b></a>"));
  EXPECT_EQ(CountEvents(doc.ResultLog(), u"lone_end_tag"), 1);
  EXPECT_NE(doc.ResultLog().find(u"<lone_end_tag tagname=\"b\" offset=\"3\"/>"), std::u16string::npos);
  EXPECT_TRUE(doc.FindElement(u"a"));
}

TEST(XmlDocument, RootSiblingsAndMissingRootAreLogged) {
  XmlDocument doc;
  EXPECT_FALSE(doc.SetDocument(u"<a/><b/>"));
  EXPECT_EQ(CountEvents(doc.ResultLog(), u"root_has_sibling"), 1);
  EXPECT_FALSE(doc.SetDocument(u"just text <!-- and a comment -->"));
  EXPECT_EQ(CountEvents(doc.ResultLog(), u"no_root_element"), 1);
  EXPECT_FALSE(doc.SetDocument(u""));
}

TEST(XmlDocument, EndTagNameMustEndAtTerminator) {
  XmlDocument doc;
  EXPECT_FALSE(doc.SetDocument(u"<ab></a>"));
  EXPECT_EQ(CountEvents(doc.ResultLog(), u"lone_end_tag"), 1);
  EXPECT_EQ(CountEvents(doc.ResultLog(), u"unended_start_tag"), 1);
  EXPECT_TRUE(doc.SetDocument(u"<ab></ab >"));
}

TEST(XmlDocument, UnterminatedSyntaxIsLoggedWithNodeType) {
  XmlDocument doc;
  doc.SetDocument(u"<a><b x=\"1\"");
  EXPECT_NE(doc.ResultLog().find(u"<unterminated_tag_syntax type=\"start_tag\" offset=\"3\"/>"),
            std::u16string::npos);
  doc.SetDocument(u"<a><!-- never closed </a>");
  EXPECT_NE(doc.ResultLog().find(u"type=\"comment\""), std::u16string::npos);
  doc.SetDocument(u"<a><![CDATA[ open </a>");
  EXPECT_EQ(CountEvents(doc.ResultLog(), u"cdata_section_syntax"), 1);
  doc.SetDocument(u"<!DOCTYPE a [ <!ENTITY x \"y\"> <a/>");
  EXPECT_EQ(CountEvents(doc.ResultLog(), u"doctype_tag_syntax"), 1);
  doc.SetDocument(u"<a></a");
  EXPECT_NE(doc.ResultLog().find(u"type=\"end_tag\""), std::u16string::npos);
  doc.SetDocument(u"<a><?pi never");
  EXPECT_NE(doc.ResultLog().find(u"type=\"processing_instruction\""), std::u16string::npos);
}

TEST(XmlDocument, QuotedGreaterThanDoesNotEndTag) {
  XmlDocument doc;
  ASSERT_TRUE(doc.SetDocument(u"<a x=\"1>2\" y='<'>t</a>"));
  ASSERT_TRUE(doc.FindElement(u"a"));
  EXPECT_EQ(doc.Attribute(u"x"), u"1>2");
  EXPECT_EQ(doc.Attribute(u"y"), u"<");
  EXPECT_EQ(doc.Data(), u"t");
}

TEST(XmlDocument, NavigationFindsSiblingsInOrder) {
  XmlDocument doc;
  ASSERT_TRUE(doc.SetDocument(
      u"<?xml version=\"1.0\"?>\r\n<r><m>1</m><x/><m>2</m><m><![CDATA[<3>]]></m></r>"));
  ASSERT_TRUE(doc.FindElement(u"r"));
  ASSERT_TRUE(doc.IntoElement());
  std::u16string seen;
  while (doc.FindElement(u"m")) seen += doc.Data() + u";";
  EXPECT_EQ(seen, u"1;2;<3>;");
  EXPECT_TRUE(doc.OutOfElement());
  EXPECT_EQ(doc.TagName(), u"r");
}

TEST(XmlDocument, NamesCompareExactlyUnlessIgnoreCase) {
  XmlDocument exact;
  exact.SetDocument(u"<ASX VERSION=\"3\"><Entry/></ASX>");
  EXPECT_FALSE(exact.FindElement(u"asx"));
  XmlDocument folded(XmlDocument::kIgnoreCase);
  EXPECT_TRUE(folded.SetDocument(u"<ASX VERSION=\"3\"><Entry></ENTRY></asx>"));
  ASSERT_TRUE(folded.FindElement(u"asx"));
  EXPECT_EQ(folded.Attribute(u"version"), u"3");
  EXPECT_TRUE(folded.FindChildElement(u"entry"));
}

TEST(XmlDocument, AttributeWithQuoteIsEscapedAndReadBack) {
  XmlDocument doc;
  ASSERT_TRUE(doc.AddElement(u"a"));
  ASSERT_TRUE(doc.SetAttribute(u"v", u"say \"hi\" & 'bye' <now>"));
  EXPECT_EQ(doc.Document(), u"<a v=\"say &quot;hi&quot; &amp; &apos;bye&apos; &lt;now&gt;\"/>\r\n");
  XmlDocument back;
  ASSERT_TRUE(back.SetDocument(doc.Document()));
  ASSERT_TRUE(back.FindElement(u"a"));
  EXPECT_EQ(back.Attribute(u"v"), u"say \"hi\" & 'bye' <now>");
}

TEST(XmlDocument, SetAttributeReplacesExistingValue) {
  XmlDocument doc;
  ASSERT_TRUE(doc.SetDocument(u"<a x='1' y=\"2\"><b/></a>"));
  ASSERT_TRUE(doc.FindElement());
  ASSERT_TRUE(doc.SetAttribute(u"x", u"long value"));
  EXPECT_EQ(doc.Document(), u"<a x=\"long value\" y=\"2\"><b/></a>");
  ASSERT_TRUE(doc.FindChildElement(u"b"));
  ASSERT_TRUE(doc.SetChildAttribute(u"z", u"3"));
  EXPECT_EQ(doc.Document(), u"<a x=\"long value\" y=\"2\"><b z=\"3\"/></a>");
  EXPECT_EQ(doc.ChildAttribute(u"z"), u"3");
}

TEST(XmlDocument, FirstChildRewritesEmptyElementTag) {
  XmlDocument doc;
  ASSERT_TRUE(doc.AddElement(u"root"));
  ASSERT_TRUE(doc.SetAttribute(u"k", u"v"));
  EXPECT_EQ(doc.Document(), u"<root k=\"v\"/>\r\n");
  ASSERT_TRUE(doc.AddChildElement(u"item", u"one"));
  EXPECT_EQ(doc.Document(), u"<root k=\"v\">\r\n<item>one</item>\r\n</root>\r\n");
  ASSERT_TRUE(doc.AddChildElement(u"item", u"two"));
  EXPECT_EQ(doc.Document(), u"<root k=\"v\">\r\n<item>one</item>\r\n<item>two</item>\r\n</root>\r\n");
  XmlDocument back;
  ASSERT_TRUE(back.SetDocument(doc.Document()));
  ASSERT_TRUE(back.FindElement(u"root"));
  ASSERT_TRUE(back.FindChildElement(u"item"));
  ASSERT_TRUE(back.FindChildElement(u"item"));
  EXPECT_EQ(back.ChildData(), u"two");
}

TEST(XmlDocument, ChildOfUnendedElementGetsEndTag) {
  XmlDocument doc;
  doc.SetDocument(u"<a><b></a>");
  ASSERT_TRUE(doc.FindElement(u"a"));
  ASSERT_TRUE(doc.IntoElement());
  ASSERT_TRUE(doc.FindElement(u"b"));
  ASSERT_TRUE(doc.AddChildElement(u"c", u"x"));
  EXPECT_EQ(doc.Document(), u"<a><b>\r\n<c>x</c>\r\n</b></a>");
  XmlDocument back;
  EXPECT_TRUE(back.SetDocument(doc.Document()));
}

TEST(XmlDocument, InsertingInTheMiddleKeepsLaterElementsIndexed) {
  XmlDocument doc;
  ASSERT_TRUE(doc.SetDocument(u"<r><a>1</a><c><d>4</d></c></r>"));
  ASSERT_TRUE(doc.FindElement(u"r"));
  ASSERT_TRUE(doc.FindChildElement(u"a"));
  ASSERT_TRUE(doc.AddChildElement(u"b", u"2"));
  ASSERT_TRUE(doc.IntoElement());
  ASSERT_TRUE(doc.FindElement(u"c"));
  ASSERT_TRUE(doc.FindChildElement(u"d"));
  EXPECT_EQ(doc.ChildData(), u"4");
  ASSERT_TRUE(doc.SetChildAttribute(u"n", u"5"));
  EXPECT_EQ(doc.Document(), u"<r><a>1</a>\r\n<b>2</b>\r\n<c><d n=\"5\">4</d></c></r>");
}

TEST(XmlDocument, DeepNestingDoesNotExhaustTheStack) {
  const int depth = 200000;
  std::u16string text;
  for (int i = 0; i < depth; ++i) text += u"<e>";
  XmlDocument doc;
  EXPECT_FALSE(doc.SetDocument(text));  // all unended
  for (int i = 0; i < depth; ++i) text += u"</e>";
  EXPECT_TRUE(doc.SetDocument(text));
  ASSERT_TRUE(doc.FindElement(u"e"));
  for (int i = 0; i < 1000; ++i) ASSERT_TRUE(doc.IntoElement() && doc.FindElement(u"e"));
}

TEST(XmlDocument, ManyLoneEndTagsStayFastAndLogIsBounded) {
  std::u16string text = u"<a>";
  for (int i = 0; i < 20000; ++i) text += u"<b>";
  for (int i = 0; i < 200000; ++i) text += u"</zz>";
  text += u"</a>";
  XmlDocument doc;
  EXPECT_FALSE(doc.SetDocument(text));
  EXPECT_LT(doc.ResultLog().size(), zv::XmlResultLog::kLimit + 200);
  EXPECT_TRUE(doc.FindElement(u"a"));
}

TEST(XmlDocument, HugeNameIsCutInTheLog) {
  std::u16string name(1 << 20, u'n');
  XmlDocument doc;
  doc.SetDocument(u"<a></" + name + u"></a>");
  EXPECT_LT(doc.ResultLog().size(), 300u);
  std::u16string open = u"<" + name + u" x=\"1\">" + u"</" + name + u">";
  EXPECT_TRUE(doc.SetDocument(open));
  ASSERT_TRUE(doc.FindElement(name));
  EXPECT_EQ(doc.Attribute(u"x"), u"1");
}

TEST(XmlDocument, UnclosedQuoteAndManyOpenBracketsStayLinear) {
  std::u16string text = u"<a x=\"";
  for (int i = 0; i < 100000; ++i) text += u"<b y='>";
  XmlDocument doc;
  doc.SetDocument(text);
  std::u16string noGreater(200000, u'<');
  doc.SetDocument(noGreater);
  EXPECT_NE(doc.ResultLog().find(u"no_root_element"), std::u16string::npos);
}

TEST(XmlDocument, EncodingNameFollowsDeclarationThenHtmlMeta) {
  XmlDocument doc;
  doc.SetDocument(u"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a/>");
  EXPECT_EQ(doc.EncodingName(), u"ISO-8859-1");
  doc.SetDocument(u"<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\"/></head></html>");
  EXPECT_EQ(doc.EncodingName(), u"windows-1252");
  doc.SetDocument(u"<html><head><meta charset=\"koi8-r\"/></head></html>");
  EXPECT_EQ(doc.EncodingName(), u"koi8-r");
  doc.SetDocument(u"<a/>");
  EXPECT_EQ(doc.EncodingName(), u"UTF-8");
}

TEST(XmlDocument, HtmlEntitiesOnlyInTolerantMode) {
  XmlDocument strict;
  strict.SetDocument(u"<a>&oslash;&omega;&sup1;</a>");
  ASSERT_TRUE(strict.FindElement());
  EXPECT_EQ(strict.Data(), u"&oslash;&omega;&sup1;");
  XmlDocument html(XmlDocument::kHtmlEntities);
  html.SetDocument(u"<a t=\"&euro;\">&oslash;&omega;&sup1;&nbsp;&yuml;&Omega;&sigmaf;</a>");
  ASSERT_TRUE(html.FindElement());
  EXPECT_EQ(html.Data(), u"\u00F8\u03C9\u00B9\u00A0\u00FF\u03A9\u03C2");
  EXPECT_EQ(html.Attribute(u"t"), u"\u20AC");
}

TEST(XmlDocument, EncodingNameFollowsTheDeclarationAcrossEdits) {
  // The declaration after a long root element: the edits before it move it.
  XmlDocument doc;
  doc.SetDocument(u"<a x=\"" + std::u16string(5000, u'v') + u"\"/><?xml version='1.0' encoding='utf-8'?>");
  ASSERT_TRUE(doc.FindElement(u"a"));
  ASSERT_TRUE(doc.SetAttribute(u"x", u""));
  EXPECT_EQ(doc.EncodingName(), u"utf-8");
  ASSERT_TRUE(doc.AddChildElement(u"b", u"text"));
  ASSERT_TRUE(doc.SetAttribute(u"y", std::u16string(300, u'w')));
  EXPECT_EQ(doc.EncodingName(), u"utf-8");
}

TEST(XmlDocument, ElementTextKeepsEveryCharacterTheParserTookForText) {
  XmlDocument doc;
  ASSERT_TRUE(doc.SetDocument(u"<l><m>x < y.mp3</m><m>a<1&amp;<-b<</m><m>p<!-- c --><![CDATA[<q>]]></m>"
                              u"<m>r</z>s<?pi x?>t</m></l>"));
  ASSERT_TRUE(doc.FindElement(u"l"));
  const char16_t* expected[] = {u"x < y.mp3", u"a<1&<-b<", u"p<q>", u"rst"};
  for (const char16_t* text : expected) {
    ASSERT_TRUE(doc.FindChildElement(u"m"));
    EXPECT_EQ(doc.ChildData(), text);
  }
}

TEST(XmlDocument, ApostropheInACommentOfTheInternalSubsetKeepsTheDocument) {
  XmlDocument doc;
  for (const char16_t* subset : {u"<!-- it's -->", u"<?pi it's?>", u"<!ENTITY e \"it's\"> <!-- \" -->"}) {
    EXPECT_TRUE(doc.SetDocument(u"<!DOCTYPE x [ " + std::u16string(subset) + u" ]><x>v</x>"));
    EXPECT_EQ(doc.ResultLog(), u"");
    ASSERT_TRUE(doc.FindElement(u"x"));
    EXPECT_EQ(doc.Data(), u"v");
  }
  EXPECT_FALSE(doc.SetDocument(u"<!DOCTYPE x [ <!-- it's ]><x>v</x>"));
  EXPECT_EQ(CountEvents(doc.ResultLog(), u"doctype_tag_syntax"), 1);
}

TEST(XmlDocument, ElementAddedAfterASiblingGetsALineOfItsOwn) {
  XmlDocument doc;
  ASSERT_TRUE(doc.SetDocument(u"<a><b/><c/></a>"));
  ASSERT_TRUE(doc.FindElement(u"a"));
  ASSERT_TRUE(doc.FindChildElement(u"b"));
  ASSERT_TRUE(doc.AddChildElement(u"n", u"1"));
  ASSERT_TRUE(doc.FindChildElement(u"c"));
  ASSERT_TRUE(doc.AddChildElement(u"m"));
  EXPECT_EQ(doc.Document(), u"<a><b/>\r\n<n>1</n>\r\n<c/>\r\n<m/>\r\n</a>");
}

TEST(XmlDocument, WriterRefusesNamesItsParserCannotRead) {
  XmlDocument doc;
  ASSERT_TRUE(doc.AddElement(u"root"));
  for (const char16_t* name : {u"1st", u"-x", u".x", u"", u"a b", u"a>b", u"a\"b", u"<a"}) {
    EXPECT_FALSE(doc.AddChildElement(name)) << std::string(name, name + std::char_traits<char16_t>::length(name));
    EXPECT_FALSE(doc.SetAttribute(name, u"v"));
  }
  for (const char16_t* name : {u"_x", u":x", u"x1-2.3", u"\u00e4"}) {
    ASSERT_TRUE(doc.AddChildElement(name, u"t"));
    XmlDocument back;
    ASSERT_TRUE(back.SetDocument(doc.Document()));
    ASSERT_TRUE(back.FindElement(u"root"));
    bool found = false;
    while (back.FindChildElement(name)) found = back.ChildData() == u"t";
    EXPECT_TRUE(found);
  }
}

TEST(XmlDocument, ResultLogStaysWithinItsLimitAndKeepsSurrogatePairsWhole) {
  // Names of 99 ASCII characters and a pair: the cut at 100 falls inside it.
  const std::u16string name = std::u16string(99, u'n') + u"\U0001F600";
  std::u16string text = u"<a>";
  for (int i = 0; i < 50; ++i) text += u"</" + name + u">";
  text += u"</a>";
  XmlDocument doc;
  doc.SetDocument(text);
  const std::u16string& log = doc.ResultLog();
  EXPECT_LE(log.size(), zv::XmlResultLog::kLimit);
  EXPECT_GE(CountEvents(log, u"lone_end_tag"), 5);
  EXPECT_EQ(log.find(u'\xD83D'), std::u16string::npos) << "no half pair";
  EXPECT_EQ(log.substr(log.size() - 2), u"/>") << "only whole events";
}
