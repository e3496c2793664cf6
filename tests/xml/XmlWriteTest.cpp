// Writing: AddElement placements and line breaks, SetAttribute with escaping
// and replacement, the profile and macro files as written by their export,
// SaveFile's encodings and marks, and the result log's cap.

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <ostream>
#include <string>
#include <utility>

#include "XmlExercise.h"
#include "XmlTestUtil.h"
#include "xml/XmlDocument.h"

namespace zq {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

constexpr const char* kDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";

std::string Lines(std::initializer_list<std::string> lines) {
  std::string out;
  for (const std::string& line : lines) out += line + "\r\n";
  return out;
}

// The index the edits maintained describes the text exactly as a fresh
// parse of that text does.
void ExpectIndexMatchesText(XmlDocument& doc) {
  XmlDocument fresh;
  fresh.SetDocument(doc.GetDocument());
  EXPECT_EQ(fuzz::DescribeTree(doc), fuzz::DescribeTree(fresh)) << doc.GetDocument();
}

// ---------------------------------------------------------------- AddElement

struct AddCase {
  const char* name;
  std::string text;
  std::function<void(XmlDocument&)> moveCursor;
  std::string expected;
};

void PrintTo(const AddCase& c, std::ostream* os) { *os << c.name; }

class AddElementTest : public ::testing::TestWithParam<AddCase> {};

TEST_P(AddElementTest, PlacesTheElementAndItsLineBreak) {
  XmlDocument doc;
  doc.SetDocument(GetParam().text);
  GetParam().moveCursor(doc);
  ASSERT_TRUE(doc.AddElement("n"));
  EXPECT_EQ(doc.GetDocument(), GetParam().expected);
  EXPECT_EQ(doc.GetTagName(), "n");
  ExpectIndexMatchesText(doc);
}

void Stay(XmlDocument&) {}
void IntoRoot(XmlDocument& doc) {
  doc.FindElement();
  doc.EnterElement();
}
void OnFirstChild(XmlDocument& doc) {
  IntoRoot(doc);
  doc.FindElement();
}

INSTANTIATE_TEST_SUITE_P(
    Placements, AddElementTest,
    ::testing::Values(
        AddCase{"IntoEmptyText", "", Stay, "<n/>\r\n"},
        AddCase{"AfterTheDeclaration", Lines({kDeclaration}), Stay, Lines({kDeclaration, "<n/>"})},
        AddCase{"AfterCurrentAndItsLineBreak", "<r>\r\n<a/>\r\n</r>", OnFirstChild,
                "<r>\r\n<a/>\r\n<n/>\r\n</r>"},
        AddCase{"AfterCurrentBeforeItsNextSibling", "<r><a/>\r\n<b/></r>", OnFirstChild,
                "<r><a/>\r\n<n/>\r\n<b/></r>"},
        AddCase{"AfterCurrentFollowedByText", "<r><a/> text</r>", OnFirstChild,
                "<r><a/><n/>\r\n text</r>"},
        AddCase{"LastChildBeforeTheEndTag", "<r><a/>text</r>", IntoRoot,
                "<r><a/>text<n/>\r\n</r>"},
        AddCase{"IntoAnEmptyParent", "<r/>", IntoRoot, "<r>\r\n<n/>\r\n</r>"},
        AddCase{"IntoAnEmptyParentWithAttributes", "<r a=\"1\" />", IntoRoot,
                "<r a=\"1\" >\r\n<n/>\r\n</r>"},
        // Dropping only the last "/" of "//>" would leave the tag empty.
        AddCase{"IntoAnEmptyParentEndingInTwoSlashes", "<r x=1//>", IntoRoot,
                "<r x=1/ >\r\n<n/>\r\n</r>"},
        AddCase{"IntoAnEmptyNestedParent", "<r><p/><q/></r>", [](XmlDocument& d) {
                  OnFirstChild(d);
                  d.EnterElement();
                }, "<r><p>\r\n<n/>\r\n</p><q/></r>"},
        // No markup follows the root's line break, so the new element goes
        // right after the root.
        AddCase{"AtTheDocumentLevelAfterTheRoot", Lines({kDeclaration, "<r/>"}),
                [](XmlDocument& d) { d.FindElement(); },
                std::string(kDeclaration) + "\r\n<r/><n/>\r\n\r\n"}),
    [](const ::testing::TestParamInfo<AddCase>& info) { return info.param.name; });

TEST(AddElementTest, ThreeItemsIntoAnEmptyElementTakeALineEach) {
  XmlDocument doc;
  doc.SetDocument(Lines({kDeclaration, "<keyitems/>"}));
  ASSERT_TRUE(doc.FindElement("keyitems"));
  ASSERT_TRUE(doc.EnterElement());
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(doc.AddElement("item"));
  EXPECT_EQ(doc.GetDocument(),
            Lines({kDeclaration, "<keyitems>", "<item/>", "<item/>", "<item/>", "</keyitems>"}));
  ExpectIndexMatchesText(doc);
}

TEST(AddElementTest, RefusesWhatIsNoTagName) {
  XmlDocument doc;
  doc.SetDocument("<r/>");
  for (const char* name : {"", "1a", "-a", "a b", "a/b", "a>", "a\"", "<a"}) {
    EXPECT_FALSE(doc.AddElement(name)) << name;
    EXPECT_EQ(doc.GetDocument(), "<r/>");
  }
  EXPECT_TRUE(doc.AddElement("_a:b-c.d"));
}

TEST(AddElementTest, BuildsLargeDocumentsWithAConsistentIndex) {
  XmlDocument doc;
  doc.SetDocument(Lines({kDeclaration}));
  doc.AddElement("list");
  doc.EnterElement();
  for (int i = 0; i < 20000; ++i) {
    ASSERT_TRUE(doc.AddElement("item"));
    ASSERT_TRUE(doc.SetAttribute("value", std::to_string(i)));
    if (i % 1000 == 0) {
      ASSERT_TRUE(doc.EnterElement());
      ASSERT_TRUE(doc.AddElement("sub"));
      ASSERT_TRUE(doc.LeaveElement());
    }
  }
  XmlDocument fresh;
  ASSERT_TRUE(fresh.SetDocument(doc.GetDocument())) << fresh.GetResult();
  EXPECT_EQ(fuzz::DescribeTree(doc), fuzz::DescribeTree(fresh));
}

// ---------------------------------------------------------------- SetAttribute

struct SetCase {
  const char* text;
  const char* name;
  const char* value;
  const char* expected;
};

void PrintTo(const SetCase& c, std::ostream* os) { *os << c.text << " " << c.name; }

class SetAttributeTest : public ::testing::TestWithParam<SetCase> {};

TEST_P(SetAttributeTest, WritesTheEscapedValueInQuotes) {
  XmlDocument doc;
  doc.SetDocument(GetParam().text);
  ASSERT_TRUE(doc.FindElement("e"));
  ASSERT_TRUE(doc.SetAttribute(GetParam().name, GetParam().value));
  EXPECT_EQ(doc.GetDocument(), GetParam().expected);
  EXPECT_EQ(doc.GetAttribute(GetParam().name), GetParam().value);
  ExpectIndexMatchesText(doc);
}

INSTANTIATE_TEST_SUITE_P(
    Tags, SetAttributeTest,
    ::testing::Values(
        SetCase{"<e/>", "a", "1", "<e a=\"1\"/>"},
        SetCase{"<e a=\"1\" />", "n", "v", "<e a=\"1\" n=\"v\" />"},
        SetCase{"<e a=\"1\" b=\"2\"/>", "a", "xyz", "<e a=\"xyz\" b=\"2\"/>"},
        SetCase{"<e a=\"long value\" b=\"2\"/>", "a", "", "<e a=\"\" b=\"2\"/>"},
        SetCase{"<e a='1'/>", "a", "2", "<e a=\"2\"/>"},
        SetCase{"<e a=1 b=\"2\"/>", "a", "3", "<e a=\"3\" b=\"2\"/>"},
        SetCase{"<e a=1/>", "a", "3", "<e a=\"3\"/>"},
        SetCase{"<e a b=\"2\"/>", "a", "v", "<e a=\"v\" b=\"2\"/>"},
        SetCase{"<e ab=\"1\"/>", "a", "2", "<e ab=\"1\" a=\"2\"/>"},
        SetCase{"<e>text</e>", "a", "1", "<e a=\"1\">text</e>"},
        // After a bare "=" the new attribute would become the old one's value.
        SetCase{"<e x=></e>", "n", "v", "<e n=\"v\" x=></e>"},
        SetCase{"<e/>", "v", "<&>'\"", "<e v=\"&lt;&amp;&gt;&apos;&quot;\"/>"},
        SetCase{"<e/>", "v", "&amp; &#233;", "<e v=\"&amp;amp; &amp;#233;\"/>"},
        SetCase{"<e/>", "v", "caf\xC3\xA9", "<e v=\"caf\xC3\xA9\"/>"}));

TEST(SetAttributeTest, EditsKeepTheIndexOfWhatFollows) {
  XmlDocument doc;
  ASSERT_TRUE(doc.SetDocument("<r><e a=\"a long value\"><c x=\"1\"/></e><f y=\"2\"/></r>"));
  ASSERT_TRUE(doc.FindElement("r"));
  ASSERT_TRUE(doc.EnterElement());
  ASSERT_TRUE(doc.FindElement("e"));
  ASSERT_TRUE(doc.SetAttribute("a", "s"));
  ASSERT_TRUE(doc.SetAttribute("z", "new"));
  ASSERT_TRUE(doc.EnterElement());
  ASSERT_TRUE(doc.FindElement("c"));
  EXPECT_EQ(doc.GetAttribute("x"), "1");
  ASSERT_TRUE(doc.LeaveElement());
  ASSERT_TRUE(doc.FindElement("f"));
  EXPECT_EQ(doc.GetAttribute("y"), "2");
  EXPECT_EQ(doc.GetDocument(), "<r><e a=\"s\" z=\"new\"><c x=\"1\"/></e><f y=\"2\"/></r>");
  ExpectIndexMatchesText(doc);
}

TEST(SetAttributeTest, NeedsACurrentElementAndAName) {
  XmlDocument doc;
  doc.SetDocument("<e/>");
  EXPECT_FALSE(doc.SetAttribute("a", "1"));
  ASSERT_TRUE(doc.FindElement("e"));
  for (const char* name : {"", "a b", "a=b", "a\"", "a'", "a>", "a/", "a?"}) {
    EXPECT_FALSE(doc.SetAttribute(name, "1")) << name;
  }
  EXPECT_EQ(doc.GetDocument(), "<e/>");
}

TEST(SetAttributeTest, EscapedValuesReadBackAfterSaving) {
  const std::string tricky = "it's \"quoted\" & <b>bold</b> &amp; &#65;";
  TempDir dir;
  XmlDocument doc;
  doc.SetDocument(Lines({kDeclaration}));
  doc.AddElement("e");
  ASSERT_TRUE(doc.SetAttribute("v", tricky));
  EXPECT_NE(doc.GetDocument().find(
                "v=\"it&apos;s &quot;quoted&quot; &amp; &lt;b&gt;bold&lt;/b&gt; &amp;amp; &amp;#65;\""),
            std::string::npos);
  ASSERT_TRUE(doc.SaveFile(dir / "e.xml"));
  XmlDocument back;
  ASSERT_TRUE(back.LoadFile(dir / "e.xml"));
  ASSERT_TRUE(back.FindElement("e"));
  EXPECT_EQ(back.GetAttribute("v"), tricky);
}

// ---------------------------------------------------------------- files

using Attrs = std::initializer_list<std::pair<const char*, std::string>>;

void AddWith(XmlDocument& doc, const char* name, Attrs attrs) {
  ASSERT_TRUE(doc.AddElement(name));
  for (const auto& [key, value] : attrs) ASSERT_TRUE(doc.SetAttribute(key, value));
}

TEST(ProfileFileTest, ExportSequenceWritesOneElementPerLine) {
  // The calls of the profile export, for a profile with two assignments.
  XmlDocument doc;
  doc.SetDocument(Lines({kDeclaration}));
  doc.AddElement("profile");
  doc.EnterElement();
  AddWith(doc, "profileinfo", {{"name", "Game & \"Work\""}});
  doc.EnterElement();
  doc.AddElement("keyitems");
  doc.EnterElement();
  AddWith(doc, "item", {{"key_code", "1"}, {"macro_type", "1"}, {"macro_value", "1"},
                        {"macro_value2", "0"}, {"macro_value3", "0"}, {"macro_desc", "Left <1>"}});
  AddWith(doc, "item", {{"key_code", "2"}, {"macro_type", "1"}, {"macro_value", "2"},
                        {"macro_value2", "0"}, {"macro_value3", "0"}, {"macro_desc", "Right's"}});
  doc.LeaveElement();
  AddWith(doc, "Mouse_DPI", {{"dpi_flag", "5"}, {"dpi_index", "0"}, {"dpi_count", "5"}});
  doc.EnterElement();
  const char* values[] = {"1200", "2400", "3200", "4800", "6400", "12000"};
  const char* colors[] = {"255", "65280", "16711680", "65535", "16776960", "8388736"};
  for (int n = 1; n <= 6; ++n) {
    AddWith(doc, ("DPI" + std::to_string(n)).c_str(),
            {{"value", values[n - 1]}, {"color", colors[n - 1]}});
  }
  doc.LeaveElement();
  doc.AddElement("Mouse");
  doc.EnterElement();
  const std::pair<const char*, const char*> keys[] = {
      {"button_respondtime", "8"}, {"report_rate", "4"}, {"sensor_flag", "0"},
      {"liftoff_height", "1"},     {"scroll_flag", "0"}, {"e-sports_flag", "0"},
      {"leftbtn_lock", "0"}};
  for (const auto& [key, value] : keys) AddWith(doc, key, {{"value", value}});
  doc.LeaveElement();

  TempDir dir;
  ASSERT_TRUE(doc.SaveFile(dir / "profile.xml"));
  EXPECT_EQ(ReadBytes(dir / "profile.xml"),
            Lines({kDeclaration,
                   "<profile>",
                   "<profileinfo name=\"Game &amp; &quot;Work&quot;\">",
                   "<keyitems>",
                   "<item key_code=\"1\" macro_type=\"1\" macro_value=\"1\" macro_value2=\"0\" "
                   "macro_value3=\"0\" macro_desc=\"Left &lt;1&gt;\"/>",
                   "<item key_code=\"2\" macro_type=\"1\" macro_value=\"2\" macro_value2=\"0\" "
                   "macro_value3=\"0\" macro_desc=\"Right&apos;s\"/>",
                   "</keyitems>",
                   "<Mouse_DPI dpi_flag=\"5\" dpi_index=\"0\" dpi_count=\"5\">",
                   "<DPI1 value=\"1200\" color=\"255\"/>",
                   "<DPI2 value=\"2400\" color=\"65280\"/>",
                   "<DPI3 value=\"3200\" color=\"16711680\"/>",
                   "<DPI4 value=\"4800\" color=\"65535\"/>",
                   "<DPI5 value=\"6400\" color=\"16776960\"/>",
                   "<DPI6 value=\"12000\" color=\"8388736\"/>",
                   "</Mouse_DPI>",
                   "<Mouse>",
                   "<button_respondtime value=\"8\"/>",
                   "<report_rate value=\"4\"/>",
                   "<sensor_flag value=\"0\"/>",
                   "<liftoff_height value=\"1\"/>",
                   "<scroll_flag value=\"0\"/>",
                   "<e-sports_flag value=\"0\"/>",
                   "<leftbtn_lock value=\"0\"/>",
                   "</Mouse>",
                   "</profileinfo>",
                   "</profile>"}));

  // And the import reads it back in the same order.
  XmlDocument in;
  ASSERT_TRUE(in.LoadFile(dir / "profile.xml"));
  ASSERT_TRUE(in.FindElement("profile"));
  in.EnterElement();
  ASSERT_TRUE(in.FindElement("profileinfo"));
  EXPECT_EQ(in.GetAttribute("name"), "Game & \"Work\"");
  in.EnterElement();
  ASSERT_TRUE(in.FindElement("keyitems"));
  in.EnterElement();
  std::string descs;
  while (in.FindElement("item")) descs += in.GetAttribute("macro_desc") + "|";
  EXPECT_EQ(descs, "Left <1>|Right's|");
  in.LeaveElement();
  ASSERT_TRUE(in.FindElement("Mouse_DPI"));
  in.EnterElement();
  ASSERT_TRUE(in.FindElement("DPI6"));
  EXPECT_EQ(in.GetAttribute("color"), "8388736");
}

TEST(ProfileFileTest, ProfileWithoutAssignmentsHasAnEmptyKeyitems) {
  XmlDocument doc;
  doc.SetDocument(Lines({kDeclaration}));
  doc.AddElement("profile");
  doc.EnterElement();
  AddWith(doc, "profileinfo", {{"name", "1"}});
  doc.EnterElement();
  doc.AddElement("keyitems");
  doc.EnterElement();
  doc.LeaveElement();
  doc.AddElement("Mouse_DPI");
  EXPECT_EQ(doc.GetDocument(), Lines({kDeclaration, "<profile>", "<profileinfo name=\"1\">",
                                      "<keyitems/>", "<Mouse_DPI/>", "</profileinfo>",
                                      "</profile>"}));
}

void ExportMacro(XmlDocument& doc, int items) {
  // The calls of the macro export: no LeaveElement at all.
  doc.SetDocument(Lines({kDeclaration}));
  doc.AddElement("macro");
  doc.EnterElement();
  AddWith(doc, "macroinfo", {{"macro_name", "M&M's"}, {"macro_type", "1"}, {"play_times", "1"},
                             {"delay_type", "0"}, {"delay_time", "10"}});
  doc.AddElement("macroitems");
  doc.EnterElement();
  for (int i = 0; i < items; ++i) {
    AddWith(doc, "item", {{"desc", i == 0 ? "A \xE2\x86\x93" : " -   10 ms"},
                          {"index", std::to_string(i)}, {"type", "1"}, {"value", "65"},
                          {"timestamp", "10"}});
  }
}

TEST(MacroFileTest, TwoItemsGiveEightLines) {
  XmlDocument doc;
  ExportMacro(doc, 2);
  EXPECT_EQ(doc.GetDocument(),
            Lines({kDeclaration, "<macro>",
                   "<macroinfo macro_name=\"M&amp;M&apos;s\" macro_type=\"1\" play_times=\"1\" "
                   "delay_type=\"0\" delay_time=\"10\"/>",
                   "<macroitems>",
                   "<item desc=\"A \xE2\x86\x93\" index=\"0\" type=\"1\" value=\"65\" timestamp=\"10\"/>",
                   "<item desc=\" -   10 ms\" index=\"1\" type=\"1\" value=\"65\" timestamp=\"10\"/>",
                   "</macroitems>", "</macro>"}));
  ExpectIndexMatchesText(doc);
}

TEST(MacroFileTest, NoItemsLeaveMacroitemsEmpty) {
  XmlDocument doc;
  ExportMacro(doc, 0);
  EXPECT_EQ(doc.GetDocument(),
            Lines({kDeclaration, "<macro>",
                   "<macroinfo macro_name=\"M&amp;M&apos;s\" macro_type=\"1\" play_times=\"1\" "
                   "delay_type=\"0\" delay_time=\"10\"/>",
                   "<macroitems/>", "</macro>"}));
}

// ---------------------------------------------------------------- SaveFile

TEST(SaveFileTest, Utf8DeclarationWritesNoMark) {
  XmlDocument doc;
  ExportMacro(doc, 1);
  TempDir dir;
  ASSERT_TRUE(doc.SaveFile(dir / "m.xml"));
  EXPECT_EQ(ReadBytes(dir / "m.xml"), doc.GetDocument());
  EXPECT_EQ(doc.GetResult(),
            "<write encoding=\"UTF-8\" length=\"" + std::to_string(doc.GetDocument().size()) +
                "\"/>");
}

TEST(SaveFileTest, WithoutDeclarationWritesUtf8) {
  XmlDocument doc;
  doc.SetDocument("<a v=\"\xC3\xA9\"/>");
  TempDir dir;
  ASSERT_TRUE(doc.SaveFile(dir / "a.xml"));
  EXPECT_EQ(ReadBytes(dir / "a.xml"), "<a v=\"\xC3\xA9\"/>");
}

TEST(SaveFileTest, DeclaredCodePageIsWrittenAndLossReported) {
  XmlDocument doc;
  doc.SetDocument("<?xml version=\"1.0\" encoding=\"windows-1252\"?><a/>");
  ASSERT_TRUE(doc.FindElement("a"));
  ASSERT_TRUE(doc.SetAttribute("v", "\xC3\xA9\xE2\x82\xAC\xE4\xB8\xAD"));  // é € 中
  TempDir dir;
  ASSERT_TRUE(doc.SaveFile(dir / "a.xml"));
  EXPECT_EQ(ReadBytes(dir / "a.xml"),
            "<?xml version=\"1.0\" encoding=\"windows-1252\"?><a v=\"\xE9\x80?\"/>");
  EXPECT_NE(doc.GetResult().find("<converted_from encoding=\"UTF-8\""), std::string::npos);
  EXPECT_NE(doc.GetResult().find("<conversion_loss/>"), std::string::npos);

  XmlDocument back;
  ASSERT_TRUE(back.LoadFile(dir / "a.xml"));
  ASSERT_TRUE(back.FindElement("a"));
  EXPECT_EQ(back.GetAttribute("v"), "\xC3\xA9\xE2\x82\xAC?");
}

TEST(SaveFileTest, ExemptCodePagesReportNoLoss) {
  XmlDocument doc;
  doc.SetDocument("<?xml version=\"1.0\" encoding=\"iso-2022-jp\"?><a v=\"\xC3\xA9\"/>");
  TempDir dir;
  ASSERT_TRUE(doc.SaveFile(dir / "a.xml"));
  EXPECT_EQ(doc.GetResult().find("conversion_loss"), std::string::npos) << doc.GetResult();
}

TEST(SaveFileTest, DeclaredUtf16IsWrittenAsUnitsWithoutMark) {
  const std::string text = "<?xml version=\"1.0\" encoding=\"UTF-16\"?><a/>";
  XmlDocument doc;
  doc.SetDocument(text);
  TempDir dir;
  ASSERT_TRUE(doc.SaveFile(dir / "a.xml"));
  EXPECT_EQ(ReadBytes(dir / "a.xml"), test::Utf16Bytes(text, false));
  EXPECT_NE(doc.GetResult().find("<write encoding=\"UTF-16\" length=\"" +
                                 std::to_string(text.size()) + "\"/>"),
            std::string::npos)
      << doc.GetResult();
}

struct MarkCase {
  const char* name;
  std::string bytes;
};

void PrintTo(const MarkCase& c, std::ostream* os) { *os << c.name; }

class SaveWithMarkTest : public ::testing::TestWithParam<MarkCase> {};

TEST_P(SaveWithMarkTest, KeepsTheMarkItWasLoadedWith) {
  TempDir dir;
  WriteBytes(dir / "in.xml", GetParam().bytes);
  XmlDocument doc;
  ASSERT_TRUE(doc.LoadFile(dir / "in.xml")) << doc.GetResult();
  ASSERT_TRUE(doc.SaveFile(dir / "out.xml"));
  EXPECT_EQ(ReadBytes(dir / "out.xml"), GetParam().bytes);

  // Edits survive in the same form.
  ASSERT_TRUE(doc.FindElement("r"));
  ASSERT_TRUE(doc.SetAttribute("x", "\xE4\xB8\xAD"));
  ASSERT_TRUE(doc.SaveFile(dir / "out.xml"));
  XmlDocument back;
  ASSERT_TRUE(back.LoadFile(dir / "out.xml"));
  EXPECT_EQ(ReadBytes(dir / "out.xml").substr(0, 2), GetParam().bytes.substr(0, 2));
  ASSERT_TRUE(back.FindElement("r"));
  EXPECT_EQ(back.GetAttribute("x"), "\xE4\xB8\xAD");
}

INSTANTIATE_TEST_SUITE_P(
    Marks, SaveWithMarkTest,
    ::testing::Values(
        MarkCase{"Utf8", "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"windows-1252\"?><r/>"},
        MarkCase{"Utf16Le", "\xFF\xFE" + test::Utf16Bytes("<r/>", false)},
        MarkCase{"Utf16Be", "\xFE\xFF" + test::Utf16Bytes("<r/>", true)}),
    [](const ::testing::TestParamInfo<MarkCase>& info) { return info.param.name; });

TEST(SaveFileTest, UnopenableFileGivesFalseAndFileError) {
  TempDir dir;
  XmlDocument doc;
  doc.SetDocument("<a/>");
  EXPECT_FALSE(doc.SaveFile(dir / "missing/a.xml"));
  EXPECT_EQ(doc.GetResult(), "<file_error msg=\"No such file or directory\" n=\"2\"/>");
}

TEST(SaveFileTest, StartsAFreshLog) {
  XmlDocument doc;
  doc.SetDocument("<a/><b/>");
  ASSERT_NE(doc.GetResult(), "");
  TempDir dir;
  ASSERT_TRUE(doc.SaveFile(dir / "a.xml"));
  EXPECT_EQ(doc.GetResult(), "<write encoding=\"UTF-8\" length=\"8\"/>");
}

// ---------------------------------------------------------------- log

TEST(ResultLogTest, StopsOnceLongerThan999Characters) {
  std::string text = "<a>";
  for (int i = 0; i < 300; ++i) text += "</zz>";
  text += "</a>";
  XmlDocument doc;
  EXPECT_FALSE(doc.SetDocument(text));
  const std::string& log = doc.GetResult();
  const size_t lastEntry = log.rfind('<');
  ASSERT_NE(lastEntry, std::string::npos);
  EXPECT_GT(log.size(), 999u);
  EXPECT_LE(lastEntry, 999u);  // the last entry was added while still within the cap
  EXPECT_EQ(log.rfind("<lone_end_tag tagname=\"zz\" offset=\"3\"/><lone_end_tag", 0), 0u);

  // SetDocument starts the log afresh.
  doc.SetDocument("<a/>");
  EXPECT_EQ(doc.GetResult(), "");
}

}  // namespace
}  // namespace zq
