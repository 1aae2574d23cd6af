// Two runs on the same base and thresholds write byte-identical files.
#include <gtest/gtest.h>

#include <string>

#include "run_support.h"

namespace {

TEST(Determinism, TwoRunsOfTheExampleBaseAgree) {
  // The example base has over 200 lines, so the tag pass uses its window of 50.
  const std::string base = std::string(QUADMINE_SOURCE_DIR) + "/examples/tagging_base.txt";
  for (const char* t : {"1", "2"}) {
    TempDir first, second;
    const RunResult a = run_quadmine(first.path(), {base, "2", t, "1", "1"});
    const RunResult b = run_quadmine(second.path(), {base, "2", t, "1", "1"});
    ASSERT_EQ(a.exit_status, 0);
    EXPECT_EQ(a.err, "") << "progress is shown only when standard error is a terminal";
    ASSERT_EQ(b.exit_status, 0);
    EXPECT_EQ(mask_times(a.out), mask_times(b.out));
    const std::string concepts = read_file(first.file("quadri_concepts.txt"));
    EXPECT_GT(concepts.size(), 1000u) << "the example should report many concepts";
    EXPECT_EQ(concepts, read_file(second.file("quadri_concepts.txt")));
    EXPECT_EQ(read_file(first.file("users_only.txt")), read_file(second.file("users_only.txt")));
  }
}

}  // namespace
