// Whole runs: the two evaluations print their three texts in order, after the
// result files are complete.
#include <gtest/gtest.h>

#include <string>

#include "run_support.h"

namespace {

// Five concepts of two users each, every one with its own tag and its own
// resource, so no mining pass can grow or combine them: the tag pass only
// compares concepts with the same resource and D value, and the resource and
// D passes only concepts that share at least one tag. Nor does any of them
// contain another, so all five are reported as loaded.
//
//   A U{1 2} D5   B U{3 4} D5   C U{2 5} D6   E U{8 9} D6   F U{6 7} D8
//
// users_only.txt: 1 5, 2 5, 3 5, 4 5, 2 6, 5 6, 8 6, 9 6, 6 8, 7 8.
// Resources: 1 and 2 get B's, 3 and 4 get A's; the second line of user 2 is
// not served; 5 gets E's, 8 and 9 get C's; 6 and 7 are alone with D 8 and get
// nothing. 7 users served out of 9 distinct ones.
const char* const kBase =
    "1 10 100 5\n2 10 100 5\n"
    "3 11 101 5\n4 11 101 5\n"
    "2 12 102 6\n5 12 102 6\n"
    "8 14 104 6\n9 14 104 6\n"
    "6 13 103 8\n7 13 103 8\n";

TEST(EvaluationRun, PrintsCountAndBothAveragesInOrder) {
  TempDir dir;
  write_file(dir.file("base.txt"), kBase);
  const RunResult r = run_quadmine(dir.path(), {"base.txt", "2", "1", "1", "1"});
  EXPECT_EQ(r.exit_status, 0);
  ASSERT_EQ(read_file(dir.file("users_only.txt")),
            "1 5\n2 5\n3 5\n4 5\n2 6\n5 6\n8 6\n9 6\n6 8\n7 8\n");
  EXPECT_EQ(mask_times(r.out),
            "\n Number of Unique Users : 7"
            "\n Resource Recommendations: Average Time = <t>"
            "\n User Proposition: Average Time = <t>");
  EXPECT_EQ(r.out.find("nan"), std::string::npos) << "users were served: both averages are numbers";
}

TEST(EvaluationRun, EmptyBasePrintsZeroAndNaNAverages) {
  // 0.0f / 0 is the x86-64 default NaN, sign bit set: glibc prints "-nan".
  TempDir dir;
  write_file(dir.file("base.txt"), "");
  const RunResult r = run_quadmine(dir.path(), {"base.txt", "1", "1", "1", "1"});
  EXPECT_EQ(r.exit_status, 0);
  EXPECT_EQ(r.out,
            "\n Number of Unique Users : 0"
            "\n Resource Recommendations: Average Time = -nan"
            "\n User Proposition: Average Time = -nan");
}

}  // namespace
