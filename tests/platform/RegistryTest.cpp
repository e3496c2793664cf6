#include "platform/Registry.h"

#include <gtest/gtest.h>

#include "TempDir.h"
#include "platform/Paths.h"

namespace zq {
namespace {

using test::TempDir;

TEST(Registry, WritesOnlyIntoAnExistingKey) {
  TempDir dir;
  Registry reg(dir / "Zintor Q57 mouse");
  EXPECT_FALSE(reg.KeyExists());
  EXPECT_FALSE(reg.Write("LCID", "1033"));
  EXPECT_FALSE(reg.Read("LCID").has_value());

  ASSERT_TRUE(reg.CreateKey());
  EXPECT_TRUE(reg.KeyExists());
  EXPECT_FALSE(reg.Read("LCID").has_value());
  EXPECT_TRUE(reg.Write("LCID", "1033"));
  EXPECT_TRUE(reg.Write("DeviceType", "101"));
  EXPECT_TRUE(reg.Write("LCID", "2052"));

  Registry again(dir / "Zintor Q57 mouse");
  EXPECT_EQ(again.Read("LCID").value_or(""), "2052");
  EXPECT_EQ(again.Read("DeviceType").value_or(""), "101");
  EXPECT_TRUE(again.Remove("LCID"));
  EXPECT_FALSE(again.Read("LCID").has_value());
}

TEST(Registry, ValuesCannotInjectLines) {
  TempDir dir;
  Registry reg(dir.path());
  ASSERT_TRUE(reg.CreateKey());
  EXPECT_TRUE(reg.Write("LCID", "1033\nDeviceType=999"));
  EXPECT_FALSE(reg.Read("DeviceType").has_value());
  EXPECT_EQ(reg.Read("LCID").value_or(""), "1033DeviceType=999");
}

}  // namespace
}  // namespace zq
