// Loading files: byte-order marks, declared encodings, the UTF-8 test, zero
// units, file errors, and the charset-name table behind them.

#include <gtest/gtest.h>
#include <iconv.h>

#include <ostream>
#include <string>

#include "XmlTestUtil.h"
#include "xml/XmlDocument.h"
#include "xml/XmlEncoding.h"

namespace zq {
namespace {

using test::TempDir;
using test::WriteBytes;

std::string Utf16(std::u16string_view units, bool bigEndian) {
  std::string out;
  for (const char16_t u : units) {
    const auto lo = static_cast<char>(u & 0xFF);
    const auto hi = static_cast<char>(u >> 8);
    out.push_back(bigEndian ? hi : lo);
    out.push_back(bigEndian ? lo : hi);
  }
  return out;
}

struct LoadCase {
  const char* name;
  std::string bytes;
  bool wellFormed;
  std::string attribute;           // value of attribute x of the root element
  std::string logHas;              // an entry the log must hold
  std::string logLacks = "\x01";   // an entry it must not hold
};

void PrintTo(const LoadCase& c, std::ostream* os) { *os << c.name; }

class LoadFileTest : public ::testing::TestWithParam<LoadCase> {};

TEST_P(LoadFileTest, ReadsTheFileInItsEncoding) {
  const LoadCase& c = GetParam();
  TempDir dir;
  const std::string path = dir / "in.xml";
  WriteBytes(path, c.bytes);

  XmlDocument doc;
  EXPECT_EQ(doc.LoadFile(path), c.wellFormed) << doc.GetResult();
  EXPECT_TRUE(doc.FindElement()) << doc.GetDocument();
  EXPECT_EQ(doc.GetAttribute("x"), c.attribute);
  EXPECT_NE(doc.GetResult().find(c.logHas), std::string::npos) << doc.GetResult();
  EXPECT_EQ(doc.GetResult().find(c.logLacks), std::string::npos) << doc.GetResult();
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, LoadFileTest,
    ::testing::Values(
        LoadCase{"Utf8Bom", "\xEF\xBB\xBF<r x=\"\xC3\xA9\"/>", true, "\xC3\xA9", "<bom/>"},
        LoadCase{"Utf16LeBom", "\xFF\xFE" + Utf16(u"<r x=\"\u00E9\U0001F600\"/>", false), true,
                 "\xC3\xA9\xF0\x9F\x98\x80", "<read encoding=\"UTF-16LE\" length=\"12\"/>",
                 "endian_swap"},
        LoadCase{"Utf16BeBom", "\xFE\xFF" + Utf16(u"<r x=\"\u4E2D\"/>", true), true,
                 "\xE4\xB8\xAD", "<endian_swap/>"},
        LoadCase{"DeclaredWindows1252",
                 "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\r\n<r x=\"\x80\xE9\"/>", true,
                 "\xE2\x82\xAC\xC3\xA9", "<read encoding=\"windows-1252\""},
        LoadCase{"DeclaredNameFoldedToLowerCase",
                 "<?xml version=\"1.0\" encoding=\"WINDOWS-1252\"?><r x=\"\xE9\"/>", true,
                 "\xC3\xA9", "<read encoding=\"WINDOWS-1252\""},
        LoadCase{"DeclaredUtf8InUpperCase",
                 "<?xml version=\"1.0\" encoding=\"UTF-8\"?><r x=\"\xC3\xA9\"/>", true, "\xC3\xA9",
                 "<read encoding=\"UTF-8\"", "utf8_detection"},
        LoadCase{"Latin1IsNotWindows1252",
                 "<?xml version=\"1.0\" encoding=\"latin1\"?><r x=\"\x80\"/>", true, "\xC2\x80",
                 "<read"},
        LoadCase{"DeclaredGb2312", "<?xml version=\"1.0\" encoding=\"gb2312\"?><r x=\"\xD6\xD0\"/>",
                 true, "\xE4\xB8\xAD", "<read"},
        LoadCase{"DeclaredShiftJis",
                 "<?xml version='1.0' encoding='Shift_JIS'?><r x=\"\x82\xA0\"/>", true,
                 "\xE3\x81\x82", "<read"},
        LoadCase{"UnknownNameMeansAnsi",
                 "<?xml version=\"1.0\" encoding=\"x-klingon\"?><r x=\"\xE9\"/>", true, "\xC3\xA9",
                 "<read"},
        LoadCase{"HtmlMetaCharset",
                 "<html><head><META HTTP-EQUIV=\"content-type\" "
                 "CONTENT=\"text/html; Charset = windows-1252\"/></head><body/></html>",
                 true, "", "<read encoding=\"windows-1252\""},
        LoadCase{"HtmlMetaAfterBodyIsNotSeen",
                 "<html><body/><meta http-equiv=\"Content-Type\" "
                 "content=\"text/html; charset=windows-1252\"/></html>",
                 true, "", "<read encoding=\"UTF-8\""},
        LoadCase{"NoDeclarationStartingWithLtIsUtf8", "<r x=\"\xE9\"/>", true, "\xEF\xBF\xBD",
                 "<read encoding=\"UTF-8\"", "utf8_detection"},
        LoadCase{"BlankLineAndInvalidUtf8IsAnsi", "\r\n<r x=\"\xE9\"/>", true, "\xC3\xA9",
                 "<read encoding=\"\" length=\"12\"/><utf8_detection/>"},
        LoadCase{"BlankLineAndValidUtf8IsUtf8", "\r\n<r x=\"\xC3\xA9\"/>", true, "\xC3\xA9",
                 "<read encoding=\"UTF-8\" length=\"13\"/><utf8_detection/>"},
        LoadCase{"ZeroByteDropped", std::string("<r x=\"1\0 2\"/>", 13), true, "1 2",
                 "<nulls_removed count=\"1\"/>"},
        LoadCase{"ZeroUnitsDropped", "\xFF\xFE" + Utf16(std::u16string(u"<r x=\"a\0b\"/>", 12), false),
                 true, "ab", "<nulls_removed count=\"1\"/>"},
        LoadCase{"Utf16WithoutMarkLosesItsZeroBytes", Utf16(u"<r x=\"ok\"/>", false), true, "ok",
                 "<nulls_removed count=\"11\"/>"},
        LoadCase{"TwoRootsStillNavigable", "<r x=\"1\"/><s/>", false, "1", "<root_has_sibling/>"}),
    [](const ::testing::TestParamInfo<LoadCase>& info) { return info.param.name; });

TEST(LoadFileTest, Utf8BomIsNotPartOfTheText) {
  TempDir dir;
  WriteBytes(dir / "a.xml", "\xEF\xBB\xBF<a/>");
  XmlDocument doc;
  ASSERT_TRUE(doc.LoadFile(dir / "a.xml"));
  EXPECT_EQ(doc.GetDocument(), "<a/>");
  EXPECT_EQ(doc.GetResult(),
            "<bom/><read encoding=\"UTF-8\" length=\"4\"/>"
            "<converted_to encoding=\"UTF-8\" length=\"4\"/>");
}

TEST(LoadFileTest, EmptyFileGivesEmptyTextAndFalse) {
  TempDir dir;
  WriteBytes(dir / "empty.xml", "");
  XmlDocument doc;
  EXPECT_FALSE(doc.LoadFile(dir / "empty.xml"));
  EXPECT_EQ(doc.GetDocument(), "");
  EXPECT_FALSE(doc.FindElement());
}

TEST(LoadFileTest, MissingFileGivesFalseAndFileError) {
  TempDir dir;
  XmlDocument doc;
  ASSERT_TRUE(doc.SetDocument("<a/>"));
  EXPECT_FALSE(doc.LoadFile(dir / "missing.xml"));
  EXPECT_EQ(doc.GetDocument(), "");
  EXPECT_FALSE(doc.FindElement("a"));
  EXPECT_EQ(doc.GetResult(), "<file_error msg=\"No such file or directory\" n=\"2\"/>");
}

TEST(LoadFileTest, FolderCannotBeReadAsAFile) {
  TempDir dir;
  XmlDocument doc;
  EXPECT_FALSE(doc.LoadFile(dir.path()));
  EXPECT_EQ(doc.GetResult().rfind("<file_error msg=", 0), 0u) << doc.GetResult();
  EXPECT_EQ(doc.GetDocument(), "");
}

TEST(LoadFileTest, ReadsWellPastTheFirstKilobyte) {
  std::string text = "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\r\n<list>\r\n";
  for (int i = 0; i < 500; ++i) text += "<item x=\"" + std::to_string(i) + "\xE9\"/>\r\n";
  text += "</list>\r\n";
  ASSERT_GT(text.size(), 4096u);
  TempDir dir;
  WriteBytes(dir / "big.xml", text);

  XmlDocument doc;
  ASSERT_TRUE(doc.LoadFile(dir / "big.xml")) << doc.GetResult();
  ASSERT_TRUE(doc.FindElement("list"));
  ASSERT_TRUE(doc.EnterElement());
  int count = 0;
  std::string last;
  while (doc.FindElement("item")) {
    ++count;
    last = doc.GetAttribute("x");
  }
  EXPECT_EQ(count, 500);
  EXPECT_EQ(last, "499\xC3\xA9");
}

TEST(LoadBytesTest, DecodesLikeLoadFile) {
  XmlDocument doc;
  EXPECT_TRUE(doc.LoadBytes("\xFE\xFF" + Utf16(u"<r x=\"\u00E9\"/>", true)));
  EXPECT_EQ(doc.GetDocument(), "<r x=\"\xC3\xA9\"/>");
  EXPECT_NE(doc.GetResult().find("<endian_swap/>"), std::string::npos);
}

// ---------------------------------------------------------------- names

struct NameCase {
  const char* name;
  int codePage;
};

void PrintTo(const NameCase& c, std::ostream* os) { *os << '"' << c.name << '"'; }

class CodePageNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(CodePageNameTest, MapsTheName) {
  EXPECT_EQ(xml::CodePageFromName(GetParam().name), GetParam().codePage) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Names, CodePageNameTest,
    ::testing::Values(NameCase{"utf-8", 65001}, NameCase{"utf8", 65001},
                      NameCase{"unicode-1-1-utf-8", 65001}, NameCase{"UTF-8", 65001},
                      NameCase{"utf-16", 1200}, NameCase{"ucs-2", 1200}, NameCase{"unicode", 1200},
                      NameCase{"utf-16be", 1201}, NameCase{"gb2312", 936}, NameCase{"GBK", 936},
                      NameCase{"iso-8859-1", 28591}, NameCase{"latin1", 28591},
                      NameCase{"us-ascii", 20127}, NameCase{"utf-32", 12000},
                      NameCase{"windows-1252", 1252}, NameCase{"cp1252", 1252},
                      NameCase{"x-cp1250", 1250}, NameCase{"ibm850", 850},
                      NameCase{"Shift_JIS", 932}, NameCase{"big5", 950},
                      NameCase{"euc-kr", 51949}, NameCase{"koi8-r", 20866},
                      NameCase{"iso-8859-15", 28605}, NameCase{"gb18030", 54936},
                      NameCase{"", 0}, NameCase{"x-klingon", 0}, NameCase{"cp12345", 0},
                      NameCase{"windows-", 0}, NameCase{"utf-8 ", 0}));

TEST(CodePageNameTest, UnknownOrEmptyMeansWindows1252) {
  EXPECT_EQ(xml::CodePageOrAnsi(""), 1252);
  EXPECT_EQ(xml::CodePageOrAnsi("nonsense"), 1252);
  EXPECT_EQ(xml::CodePageOrAnsi("UTF-8"), 65001);
}

TEST(CodePageNameTest, CodePagesMapToIconvNames) {
  EXPECT_STREQ(xml::IconvNameOf(65001), "UTF-8");
  EXPECT_STREQ(xml::IconvNameOf(1252), "WINDOWS-1252");
  EXPECT_STREQ(xml::IconvNameOf(936), "GBK");
  EXPECT_STREQ(xml::IconvNameOf(28591), "ISO-8859-1");
  EXPECT_STREQ(xml::IconvNameOf(20127), "ASCII");
  EXPECT_STREQ(xml::IconvNameOf(1200), "UTF-16LE");
  EXPECT_STREQ(xml::IconvNameOf(1201), "UTF-16BE");
  EXPECT_STREQ(xml::IconvNameOf(12000), "UTF-32LE");
  EXPECT_EQ(xml::IconvNameOf(4242), nullptr);
}

TEST(CodePageNameTest, EveryKnownCodePageHasAWorkingConverter) {
  for (const int cp : xml::KnownCodePages()) {
    const char* name = xml::IconvNameOf(cp);
    ASSERT_NE(name, nullptr) << cp;
    iconv_t cd = iconv_open("UTF-8", name);
    EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1)) << cp << " " << name;
    if (cd != reinterpret_cast<iconv_t>(-1)) iconv_close(cd);
  }
}

struct Utf8TestCase {
  const char* bytes;
  bool passes;
};

void PrintTo(const Utf8TestCase& c, std::ostream* os) { *os << ::testing::PrintToString(std::string(c.bytes)); }

class Utf8DetectionTest : public ::testing::TestWithParam<Utf8TestCase> {};

TEST_P(Utf8DetectionTest, AppliesTheLooseTest) {
  EXPECT_EQ(xml::PassesUtf8Test(GetParam().bytes), GetParam().passes) << GetParam().bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, Utf8DetectionTest,
    ::testing::Values(Utf8TestCase{"", true}, Utf8TestCase{"plain", true},
                      Utf8TestCase{"\xC3\xA9", true}, Utf8TestCase{"\xE2\x82\xAC", true},
                      Utf8TestCase{"\xF0\x9F\x98\x80", true},
                      // 0x80 to 0xBF count as lead bytes too: the test is loose.
                      Utf8TestCase{"\x80\x80", true}, Utf8TestCase{"\xC3", false},
                      Utf8TestCase{"\xC3" "A", false}, Utf8TestCase{"\xE2\x82", false},
                      Utf8TestCase{"\xF7\x80\x80", false}, Utf8TestCase{"\xF8\x80\x80\x80\x80", false},
                      Utf8TestCase{"a\xFF", false}));

// ---------------------------------------------------------------- conversion

TEST(ConversionTest, ReplacesWhatTheCodePageLacksAndReportsIt) {
  bool lossy = false;
  EXPECT_EQ(xml::EncodeFromUtf8("\xC3\xA9\xE2\x82\xAC", 1252, lossy), "\xE9\x80");
  EXPECT_FALSE(lossy);
  EXPECT_EQ(xml::EncodeFromUtf8("a\xE4\xB8\xAD" "b", 1252, lossy), "a?b");
  EXPECT_TRUE(lossy);
  // The multi-state encodings are exempt from the report.
  xml::EncodeFromUtf8("\xC3\xA9", 50220, lossy);
  EXPECT_FALSE(lossy);
}

TEST(ConversionTest, InvalidInputBecomesReplacementCharacters) {
  EXPECT_EQ(xml::DecodeToUtf8("a\xC3(b", 65001), "a\xEF\xBF\xBD(b");
  EXPECT_EQ(xml::DecodeToUtf8("\x81", 1252), "\xC2\x81");
  EXPECT_EQ(xml::DecodeToUtf8("a\x80" "b", 20127), "a\xEF\xBF\xBD" "b");
}

}  // namespace
}  // namespace zq
