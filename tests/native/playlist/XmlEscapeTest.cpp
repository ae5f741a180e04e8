#include "playlist/XmlEscape.h"

#include <gtest/gtest.h>

using namespace zv;

TEST(XmlEscape, TextAndAttributeEscaping) {
  EXPECT_EQ(EscapeMarkup(u"a&b<c>d\"e'f"), u"a&amp;b&lt;c&gt;d\"e'f");
  EXPECT_EQ(EscapeMarkup(u"a&b<c>d\"e'f", kXmlEscapeAttribute), u"a&amp;b&lt;c&gt;d&quot;e&apos;f");
}

TEST(XmlEscape, KeepReferencesLeavesWellFormedReferences) {
  EXPECT_EQ(EscapeMarkup(u"&amp; &#65; &#x41; &x &; & &#;", kXmlEscapeKeepReferences),
            u"&amp; &#65; &#x41; &amp;x &amp;; &amp; &amp;#;");
}

TEST(XmlEscape, CDataSplitsClosingSequence) {
  EXPECT_EQ(WrapInCData(u"a]]>b"), u"<![CDATA[a]]]]><![CDATA[>b]]>");
}

TEST(XmlEscape, UnescapesEntitiesAndCharacterReferences) {
  EXPECT_EQ(UnescapeMarkup(u"&lt;&gt;&amp;&quot;&apos;"), u"<>&\"'");
  EXPECT_EQ(UnescapeMarkup(u"&#65;&#x42;&#X43;&#228;"), u"ABC\u00E4");
  EXPECT_EQ(UnescapeMarkup(u"&#x1F600;&#128512;"), u"\U0001F600\U0001F600");
}

TEST(XmlEscape, InvalidReferencesStayLiteral) {
  EXPECT_EQ(UnescapeMarkup(u"&#0;&#x0;&#xD800;&#57343;&#x110000;&#99999999999999;"),
            u"&#0;&#x0;&#xD800;&#57343;&#x110000;&#99999999999999;");
  EXPECT_EQ(UnescapeMarkup(u"&nosuch; & &amp &#x; a&b"), u"&nosuch; & &amp &#x; a&b");
  EXPECT_EQ(UnescapeMarkup(u"&"), u"&");
}

TEST(XmlEscape, HtmlEntityTableKnowsNamedCharacters) {
  EXPECT_EQ(HtmlEntityCharacter(u"oslash"), u'\u00F8');
  EXPECT_EQ(HtmlEntityCharacter(u"omega"), u'\u03C9');
  EXPECT_EQ(HtmlEntityCharacter(u"sup1"), u'\u00B9');
  EXPECT_EQ(HtmlEntityCharacter(u"diams"), u'\u2666');
  EXPECT_EQ(HtmlEntityCharacter(u"Sigma"), u'\u03A3');
  EXPECT_EQ(HtmlEntityCharacter(u"Oslash"), u'\u00D8');
  EXPECT_EQ(HtmlEntityCharacter(u"nonsense"), 0);
}
