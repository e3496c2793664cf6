#include "platform/Paths.h"

#include <gtest/gtest.h>

#include <fstream>

#include "TempDir.h"

namespace zq {
namespace {

using test::ScopedEnv;
using test::TempDir;

TEST(Paths, DataFolderLiesUnderDocuments) {
  TempDir home;
  ScopedEnv h("HOME", home.path());
  ScopedEnv x("XDG_CONFIG_HOME", home / ".config");
  EXPECT_EQ(DocumentsFolder(), home / "Documents");
  EXPECT_EQ(GetDataFolder(), home / "Documents/Zintor Q57 mouse MouseDbFiles/");
}

TEST(Paths, DocumentsFolderFollowsUserDirs) {
  TempDir home;
  ScopedEnv h("HOME", home.path());
  ScopedEnv x("XDG_CONFIG_HOME", home / "cfg");
  ASSERT_TRUE(CreateFolderChain(home / "cfg"));
  std::ofstream(home / "cfg/user-dirs.dirs")
      << "# comment\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\nXDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n";
  EXPECT_EQ(DocumentsFolder(), home / "Dokumente");
}

TEST(Paths, CreateFolderChainMakesEveryMissingParent) {
  TempDir root;
  const std::string deep = root / "a/b c/Zintor Q57 mouse MouseDbFiles/db";
  EXPECT_TRUE(CreateFolderChain(deep));
  EXPECT_TRUE(IsDirectory(deep));
  EXPECT_TRUE(CreateFolderChain(deep + "/"));  // already there
  // A file in the way makes it fail without damage.
  std::ofstream(root / "file") << "x";
  EXPECT_FALSE(CreateFolderChain(root / "file/sub"));
  EXPECT_FALSE(CreateFolderChain(""));
}

TEST(Paths, ProgramFolderCanBeForcedAndEndsWithSlash) {
  {
    ScopedEnv p("ZQ_PROGRAM_FOLDER", "/opt/zq");
    EXPECT_EQ(GetProgramFolder(), "/opt/zq/");
  }
  ScopedEnv p("ZQ_PROGRAM_FOLDER", "");
  const std::string real = GetProgramFolder();
  ASSERT_FALSE(real.empty());
  EXPECT_EQ(real.back(), '/');
  EXPECT_TRUE(IsDirectory(real));
}

}  // namespace
}  // namespace zq
