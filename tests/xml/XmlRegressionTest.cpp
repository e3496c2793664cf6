// Inputs the fuzz target once crashed on or flagged, replayed with the same
// work the target does. Each file in regressions/ is one input.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "XmlExercise.h"
#include "XmlTestUtil.h"

namespace zq {
namespace {

TEST(XmlRegressionTest, SavedFuzzInputsRunCleanly) {
  std::vector<std::filesystem::path> inputs;
  for (const auto& entry : std::filesystem::directory_iterator(ZQ_XML_REGRESSIONS)) {
    if (entry.is_regular_file()) inputs.push_back(entry.path());
  }
  std::sort(inputs.begin(), inputs.end());
  ASSERT_FALSE(inputs.empty());
  test::TempDir dir;
  for (const auto& input : inputs) {
    SCOPED_TRACE(input.filename().string());
    EXPECT_TRUE(fuzz::ExerciseXml(test::ReadBytes(input.string()), dir / "scratch.xml"));
  }
}

}  // namespace
}  // namespace zq
