#include "platform/Autostart.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "../platform/TempDir.h"
#include "platform/Paths.h"

namespace zq {
namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream(path) << text;
}

class AutostartTest : public ::testing::Test {
 protected:
  test::TempDir dir;
  test::ScopedEnv config{"XDG_CONFIG_HOME", dir.path()};
  test::ScopedEnv program{"ZQ_PROGRAM_FOLDER", "/opt/zintor q57/"};
  std::string entry = dir / "autostart/zintor-q57-mouse.desktop";
};

TEST_F(AutostartTest, OnWritesOneEntryOffRemovesIt) {
  Autostart autostart;
  EXPECT_EQ(autostart.FilePath(), entry);
  EXPECT_FALSE(autostart.IsOn());

  ASSERT_TRUE(autostart.TurnOn());
  EXPECT_TRUE(autostart.IsOn());
  const std::string text = ReadFile(entry);
  EXPECT_EQ(text,
            "[Desktop Entry]\n"
            "Type=Application\n"
            "Version=1.0\n"
            "Name=Zintor Q57 mouse\n"
            "Comment=Settings of the Zintor Q57 gaming mouse\n"
            "Exec=\"/opt/zintor q57/zintor-q57-mouse\"\n"
            "Terminal=false\n"
            "X-GNOME-Autostart-enabled=true\n"
            "X-Zintor-Q57-Mouse-Autostart=true\n");

  ASSERT_TRUE(autostart.TurnOn());
  EXPECT_EQ(ReadFile(entry), text);
  EXPECT_FALSE(FileExists(entry + ".tmp"));

  EXPECT_TRUE(autostart.TurnOff());
  EXPECT_FALSE(FileExists(entry));
  EXPECT_FALSE(autostart.IsOn());
  EXPECT_TRUE(autostart.TurnOff());
}

TEST_F(AutostartTest, OnlyOurOwnEnabledEntryCountsAsOn) {
  Autostart autostart;
  ASSERT_TRUE(CreateFolderChain(dir / "autostart"));
  struct Case {
    const char* name;
    std::string text;
    bool on;
  };
  const std::string ours = autostart.EntryText();
  const Case cases[] = {
      {"ours", ours, true},
      {"someone else's", "[Desktop Entry]\nType=Application\nExec=other\n", false},
      {"hidden by the desktop", ours + "Hidden=true\n", false},
      {"switched off in the session", ours + "X-GNOME-Autostart-enabled=false\n", false},
      {"marker outside the entry", "[Other]\nX-Zintor-Q57-Mouse-Autostart=true\n", false},
      {"empty", "", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WriteFile(entry, c.text);
    EXPECT_EQ(autostart.IsOn(), c.on);
  }
  // Turning on replaces a foreign or disabled entry with ours.
  ASSERT_TRUE(autostart.TurnOn());
  EXPECT_EQ(ReadFile(entry), ours);
}

TEST_F(AutostartTest, FailuresAreReportedNotThrown) {
  // The config folder is a file: nothing can be created below it.
  WriteFile(dir / "file", "x");
  Autostart blocked(dir / "file/autostart/zintor-q57-mouse.desktop", "/usr/bin/zintor-q57-mouse");
  EXPECT_FALSE(blocked.TurnOn());
  EXPECT_FALSE(blocked.IsOn());
  EXPECT_TRUE(blocked.TurnOff());
  // A folder where the entry should be cannot be removed as an entry.
  ASSERT_TRUE(CreateFolderChain(entry));
  EXPECT_FALSE(Autostart().IsOn());
  EXPECT_FALSE(Autostart().TurnOn());
  EXPECT_FALSE(Autostart().TurnOff());
}

TEST(QuoteExecArgument, EscapesWhatTheDesktopEntryFormatReserves) {
  EXPECT_EQ(QuoteExecArgument("/usr/bin/zq"), "\"/usr/bin/zq\"");
  EXPECT_EQ(QuoteExecArgument("/a b/zq"), "\"/a b/zq\"");
  EXPECT_EQ(QuoteExecArgument("/a\"b"), "\"/a\\\\\"b\"");
  EXPECT_EQ(QuoteExecArgument("/a$b`c"), "\"/a\\\\$b\\\\`c\"");
  EXPECT_EQ(QuoteExecArgument("/a\\b"), "\"/a\\\\\\\\b\"");
  EXPECT_EQ(QuoteExecArgument("/100%/zq"), "\"/100%%/zq\"");
}

}  // namespace
}  // namespace zq
