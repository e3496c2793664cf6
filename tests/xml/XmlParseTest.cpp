// Parsing, the well-formed rule, cursor navigation, attributes and
// references.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "xml/XmlDocument.h"
#include "xml/XmlMarkup.h"

namespace zq {
namespace {

struct ParseCase {
  const char* name;
  std::string text;
  bool wellFormed;
  std::string log;  // the whole result log of the parse
};

void PrintTo(const ParseCase& c, std::ostream* os) { *os << c.name; }

class ParseTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseTest, JudgesTheTextAndLogsWhatItMet) {
  XmlDocument doc;
  EXPECT_EQ(doc.SetDocument(GetParam().text), GetParam().wellFormed);
  EXPECT_EQ(doc.GetResult(), GetParam().log);
  // The same verdict comes from parsing the unchanged text again.
  EXPECT_EQ(doc.Parse(), GetParam().wellFormed);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseTest,
    ::testing::Values(
        ParseCase{"EmptyElement", "<a/>", true, ""},
        ParseCase{"EveryNodeKind",
                  "<?xml version=\"1.0\"?>\r\n<!-- note -->\r\n"
                  "<!DOCTYPE a [ <!ELEMENT a ANY> <!ATTLIST a x CDATA \"]>\"> "
                  "<!ENTITY e 'v'> <!NOTATION n SYSTEM \"n\"> ]>\r\n"
                  "<a x='>'>text<![CDATA[<b></c>]]><?pi <d>?><_e/><:f/><\xC3\xA9/></a>\r\n",
                  true, ""},
        ParseCase{"EmptyText", "", false, ""},
        ParseCase{"TextOnly", "just text", false, "<no_root_element/>"},
        ParseCase{"DeclarationOnly", "<?xml version=\"1.0\"?>\r\n", false, "<no_root_element/>"},
        ParseCase{"TwoRoots", "<a/><b/>", false, "<root_has_sibling/>"},
        ParseCase{"MissingEndTag", "<a><b></a>", false,
                  "<unended_start_tag tagname=\"b\" offset=\"3\" offset2=\"6\"/>"},
        ParseCase{"MissingEndTagAtTheEnd", "<a><b/>", false,
                  "<unended_start_tag tagname=\"a\" offset=\"0\" offset2=\"7\"/>"},
        ParseCase{"StrayEndTag", "<a></b></a>", false,
                  "<lone_end_tag tagname=\"b\" offset=\"3\"/>"},
        ParseCase{"EndTagIsCaseSensitive", "<a></A>", false,
                  "<lone_end_tag tagname=\"A\" offset=\"3\"/>"
                  "<unended_start_tag tagname=\"a\" offset=\"0\" offset2=\"7\"/>"},
        ParseCase{"LtBeginningNoNode", "<a>< b</a>", false, "<first_tag_syntax offset=\"3\"/>"},
        ParseCase{"DigitBeginsNoTag", "<a><1/></a>", false, "<first_tag_syntax offset=\"3\"/>"},
        ParseCase{"BadExclamation", "<a><!x></a>", false, "<exclamation_tag_syntax offset=\"3\"/>"},
        ParseCase{"BadComment", "<a><!-x--></a>", false, "<comment_tag_syntax offset=\"3\"/>"},
        ParseCase{"BadCdata", "<a><![X[y]]></a>", false, "<cdata_section_syntax offset=\"3\"/>"},
        ParseCase{"BadInternalSubset", "<!DOCTYPE a [ junk ]><a/>", false,
                  "<doctype_tag_syntax offset=\"14\"/>"},
        ParseCase{"TextEndsAfterLt", "<a/><", false,
                  "<unterminated_tag_syntax offset=\"4\" type=\"tag\"/>"},
        ParseCase{"TextEndsInEndTag", "<a></a", false,
                  "<unterminated_tag_syntax offset=\"3\" type=\"end_tag\"/>"
                  "<unended_start_tag tagname=\"a\" offset=\"0\" offset2=\"6\"/>"},
        ParseCase{"TextEndsInPi", "<a/><?pi", false,
                  "<unterminated_tag_syntax offset=\"4\" type=\"processing_instruction\"/>"},
        ParseCase{"TextEndsInComment", "<a/><!-- x", false,
                  "<unterminated_tag_syntax offset=\"4\" type=\"comment\"/>"},
        ParseCase{"TextEndsInCdata", "<a/><![CDATA[x", false,
                  "<unterminated_tag_syntax offset=\"4\" type=\"cdata_section\"/>"},
        ParseCase{"TextEndsInDoctype", "<a/><!DOCTYPE a [<!ELEMENT a ANY>", false,
                  "<unterminated_tag_syntax offset=\"4\" type=\"document_type\"/>"},
        ParseCase{"QuoteHidesTheTagEnd", "<a/><b x='>", false,
                  "<unterminated_tag_syntax offset=\"4\" type=\"start_tag\"/>"}),
    [](const ::testing::TestParamInfo<ParseCase>& info) { return info.param.name; });

TEST(ParseTest, MalformedTextIsStillNavigable) {
  XmlDocument doc;
  EXPECT_FALSE(doc.SetDocument("<a><b x=\"1\"><c/></a><d x=\"2\"/>"));
  ASSERT_TRUE(doc.FindElement("a"));
  ASSERT_TRUE(doc.EnterElement());
  ASSERT_TRUE(doc.FindElement("b"));
  EXPECT_EQ(doc.GetAttribute("x"), "1");
  ASSERT_TRUE(doc.EnterElement());
  EXPECT_TRUE(doc.FindElement("c"));  // the unended b holds what follows it
  doc.ResetPosition();
  ASSERT_TRUE(doc.FindElement("d"));
  EXPECT_EQ(doc.GetAttribute("x"), "2");
}

TEST(ParseTest, TagNameEndsAtItsDelimiters) {
  XmlDocument doc;
  for (const char* text : {"<a;b/>", "<a\tx='1'/>", "<a\\/>", "<a='1'/>"}) {
    doc.SetDocument(text);
    EXPECT_TRUE(doc.FindElement("a")) << text;
  }
}

TEST(ParseTest, ParseResetsTheCursor) {
  XmlDocument doc;
  ASSERT_TRUE(doc.SetDocument("<a><b/></a>"));
  ASSERT_TRUE(doc.FindElement("a"));
  ASSERT_TRUE(doc.EnterElement());
  ASSERT_TRUE(doc.FindElement("b"));
  ASSERT_TRUE(doc.Parse());
  EXPECT_EQ(doc.GetTagName(), "");
  EXPECT_FALSE(doc.LeaveElement());
  EXPECT_TRUE(doc.FindElement("a"));
}

TEST(ParseTest, DeepNestingNeedsNoRecursion) {
  std::string text;
  for (int i = 0; i < 200000; ++i) text += "<d>";
  XmlDocument doc;
  EXPECT_FALSE(doc.SetDocument(text));  // none of them is ended
  int depth = 0;
  while (doc.FindElement("d") && doc.EnterElement()) ++depth;
  EXPECT_EQ(depth, 200000);
}

// ---------------------------------------------------------------- cursor

// The device catalogue's shape: repeated siblings at two levels.
constexpr const char* kCatalogue =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
    "<config>\r\n"
    "<device>\r\n"
    "<mouse name=\"A\" device_type=\"101\">\r\n"
    "<mode value=\"0\"/>\r\n"
    "<mode value=\"1\"/>\r\n"
    "</mouse>\r\n"
    "<other/>\r\n"
    "<mouse name=\"B\" device_type=\"102\">\r\n"
    "<mode value=\"2\"/>\r\n"
    "</mouse>\r\n"
    "</device>\r\n"
    "</config>\r\n";

TEST(CursorTest, WalksRepeatedSiblingsAtEachLevel) {
  XmlDocument doc;
  ASSERT_TRUE(doc.SetDocument(kCatalogue));
  ASSERT_TRUE(doc.FindElement("config"));
  ASSERT_TRUE(doc.EnterElement());
  ASSERT_TRUE(doc.FindElement("device"));
  ASSERT_TRUE(doc.EnterElement());
  std::vector<std::string> seen;
  while (doc.FindElement("mouse")) {
    std::string entry = doc.GetAttribute("name") + doc.GetAttribute("device_type") + ":";
    ASSERT_TRUE(doc.EnterElement());
    while (doc.FindElement("mode")) entry += doc.GetAttribute("value");
    ASSERT_TRUE(doc.LeaveElement());
    seen.push_back(entry);
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"A101:01", "B102:2"}));
}

TEST(CursorTest, FindAfterTheLastMatchKeepsTheLastMatch) {
  XmlDocument doc;
  ASSERT_TRUE(doc.SetDocument("<r><k v=\"1\"><c/></k><k v=\"2\"><c n=\"last\"/></k></r>"));
  ASSERT_TRUE(doc.FindElement("r"));
  ASSERT_TRUE(doc.EnterElement());
  ASSERT_TRUE(doc.FindElement("k"));
  ASSERT_TRUE(doc.FindElement("k"));
  EXPECT_FALSE(doc.FindElement("k"));
  EXPECT_EQ(doc.GetAttribute("v"), "2");
  ASSERT_TRUE(doc.EnterElement());
  ASSERT_TRUE(doc.FindElement("c"));
  EXPECT_EQ(doc.GetAttribute("n"), "last");
}

TEST(CursorTest, SearchContinuesAfterThePreviousMatch) {
  // DPI2 stands before DPI1, DPI3 is missing: DPI1 and DPI4 are found,
  // DPI2 is not, and the missing DPI3 does not hide DPI4.
  XmlDocument doc;
  ASSERT_TRUE(doc.SetDocument("<m><DPI2 value=\"2\"/><DPI1 value=\"1\"/><DPI4 value=\"4\"/></m>"));
  ASSERT_TRUE(doc.FindElement("m"));
  ASSERT_TRUE(doc.EnterElement());
  EXPECT_TRUE(doc.FindElement("DPI1"));
  EXPECT_FALSE(doc.FindElement("DPI2"));
  EXPECT_FALSE(doc.FindElement("DPI3"));
  EXPECT_TRUE(doc.FindElement("DPI4"));
  EXPECT_EQ(doc.GetAttribute("value"), "4");
}

TEST(CursorTest, FindComparesNamesExactly) {
  XmlDocument doc;
  ASSERT_TRUE(doc.SetDocument("<r><Item/><items/><item/></r>"));
  ASSERT_TRUE(doc.FindElement("r"));
  ASSERT_TRUE(doc.EnterElement());
  ASSERT_TRUE(doc.FindElement("item"));
  EXPECT_FALSE(doc.FindElement("Item"));  // it stood before the match
  EXPECT_FALSE(doc.FindElement(""));
}

TEST(CursorTest, EnterAndLeaveNeedSomewhereToGo) {
  XmlDocument doc;
  ASSERT_TRUE(doc.SetDocument("<r><a/><b/></r>"));
  EXPECT_FALSE(doc.EnterElement());
  EXPECT_FALSE(doc.LeaveElement());
  ASSERT_TRUE(doc.FindElement("r"));
  EXPECT_FALSE(doc.LeaveElement());
  ASSERT_TRUE(doc.EnterElement());
  ASSERT_TRUE(doc.FindElement("a"));
  ASSERT_TRUE(doc.LeaveElement());
  EXPECT_EQ(doc.GetTagName(), "r");
  // Entering again returns to the child that was current before leaving.
  ASSERT_TRUE(doc.EnterElement());
  EXPECT_EQ(doc.GetTagName(), "a");
  EXPECT_TRUE(doc.FindElement("b"));
}

// ---------------------------------------------------------------- attributes

struct AttributeCase {
  const char* tag;
  const char* name;
  const char* value;
};

void PrintTo(const AttributeCase& c, std::ostream* os) { *os << c.tag << " " << c.name; }

class AttributeTest : public ::testing::TestWithParam<AttributeCase> {};

TEST_P(AttributeTest, ReadsTheNamedAttribute) {
  XmlDocument doc;
  doc.SetDocument(GetParam().tag);
  ASSERT_TRUE(doc.FindElement("e")) << GetParam().tag;
  EXPECT_EQ(doc.GetAttribute(GetParam().name), GetParam().value) << GetParam().tag;
}

INSTANTIATE_TEST_SUITE_P(
    Tags, AttributeTest,
    ::testing::Values(AttributeCase{"<e ab=\"1\" a=\"2\"/>", "a", "2"},
                      AttributeCase{"<e ab=\"1\" a=\"2\"/>", "ab", "1"},
                      AttributeCase{"<e ab=\"1\" a=\"2\"/>", "b", ""},
                      AttributeCase{"<e A=\"1\"/>", "a", ""},
                      AttributeCase{"<e a='say \"hi\"'/>", "a", "say \"hi\""},
                      AttributeCase{"<e a = \"spaced\" />", "a", "spaced"},
                      AttributeCase{"<e a=bare b=\"2\"/>", "a", "bare"},
                      AttributeCase{"<e a=bare/>", "a", "bare"},
                      AttributeCase{"<e flag a=\"1\"/>", "a", "1"},
                      AttributeCase{"<e flag a=\"1\"/>", "flag", ""},
                      AttributeCase{"<e x=\"a=1\" a=\"2\"/>", "a", "2"},
                      AttributeCase{"<e x=\"/>\" a=\"3\"/>", "a", "3"},
                      AttributeCase{"<e a=\"1\" a=\"2\"/>", "a", "1"},
                      AttributeCase{"<e a=\"\"/>", "a", ""},
                      AttributeCase{"<e x=\"1\"/ a=\"2\"></e>", "a", ""},
                      AttributeCase{"<e a=\"line\r\nbreak\"/>", "a", "line\r\nbreak"}));

TEST(AttributeTest, NoCurrentElementReadsEmpty) {
  XmlDocument doc;
  ASSERT_TRUE(doc.SetDocument("<e a=\"1\"/>"));
  EXPECT_EQ(doc.GetAttribute("a"), "");
}

struct ReferenceCase {
  const char* raw;
  const char* value;
};

void PrintTo(const ReferenceCase& c, std::ostream* os) { *os << c.raw; }

class UnescapeTest : public ::testing::TestWithParam<ReferenceCase> {};

TEST_P(UnescapeTest, ReplacesReferences) {
  XmlDocument doc;
  ASSERT_TRUE(doc.SetDocument(std::string("<e v=\"") + GetParam().raw + "\"/>"));
  ASSERT_TRUE(doc.FindElement("e"));
  EXPECT_EQ(doc.GetAttribute("v"), GetParam().value) << GetParam().raw;
}

INSTANTIATE_TEST_SUITE_P(
    References, UnescapeTest,
    ::testing::Values(
        ReferenceCase{"&eacute;", "\xC3\xA9"}, ReferenceCase{"&Eacute;", "\xC3\x89"},
        ReferenceCase{"&#233;", "\xC3\xA9"}, ReferenceCase{"&#xE9;", "\xC3\xA9"},
        ReferenceCase{"&#XE9;", "\xC3\xA9"}, ReferenceCase{"&#0;", "&#0;"},
        ReferenceCase{"&#x0;", "&#x0;"}, ReferenceCase{"&bogus;", "&bogus;"},
        ReferenceCase{"&EACUTE;", "&EACUTE;"}, ReferenceCase{"&lt;&gt;&amp;&quot;&apos;", "<>&\"'"},
        ReferenceCase{"&amp;lt;", "&lt;"}, ReferenceCase{"AT&T", "AT&T"},
        ReferenceCase{"& x;", "& x;"}, ReferenceCase{"&amp", "&amp"},
        ReferenceCase{"&#128512;", "\xF0\x9F\x98\x80"}, ReferenceCase{"&#x1F600;", "\xF0\x9F\x98\x80"},
        ReferenceCase{"&thetasym;", "\xCF\x91"}, ReferenceCase{"&euro;", "\xE2\x82\xAC"},
        ReferenceCase{"&nbsp;", "\xC2\xA0"}, ReferenceCase{"&#x110000;", "&#x110000;"},
        ReferenceCase{"&#xD800;", "&#xD800;"}, ReferenceCase{"&#;", "&#;"},
        ReferenceCase{"&#x;", "&#x;"}, ReferenceCase{"&#12a;", "&#12a;"},
        ReferenceCase{"&verylongname;", "&verylongname;"},
        ReferenceCase{"&#0000000065;", "&#0000000065;"}, ReferenceCase{"&#0000065;", "A"},
        ReferenceCase{"&&amp;", "&&"}, ReferenceCase{"&\xC3\xA9;", "&\xC3\xA9;"}));

TEST(UnescapeTest, KnowsTheHtml4EntitiesAndApos) {
  EXPECT_EQ(xml::EntityCodePoint("apos"), U'\'');
  EXPECT_EQ(xml::EntityCodePoint("nbsp"), U'\u00A0');
  EXPECT_EQ(xml::EntityCodePoint("yuml"), U'\u00FF');
  EXPECT_EQ(xml::EntityCodePoint("fnof"), U'\u0192');
  EXPECT_EQ(xml::EntityCodePoint("Alpha"), U'\u0391');
  EXPECT_EQ(xml::EntityCodePoint("alefsym"), U'\u2135');
  EXPECT_EQ(xml::EntityCodePoint("diams"), U'\u2666');
  EXPECT_EQ(xml::EntityCodePoint("OElig"), U'\u0152');
  EXPECT_EQ(xml::EntityCodePoint("zwnj"), U'\u200C');
  EXPECT_EQ(xml::EntityCodePoint("rsaquo"), U'\u203A');
  EXPECT_EQ(xml::EntityCodePoint("AElig"), U'\u00C6');
  EXPECT_EQ(xml::EntityCodePoint("aelig"), U'\u00E6');
  EXPECT_EQ(xml::EntityCodePoint("hellip"), U'\u2026');
  EXPECT_EQ(xml::EntityCodePoint("nope"), 0u);
}

}  // namespace
}  // namespace zq
