// Whole runs on the loader's small bases: result files and standard output
// byte for byte (times masked).
#include <gtest/gtest.h>

#include <string>

#include "run_support.h"

namespace {

const char* const kSixLines =
    "1 10 100 5\n2 10 100 5\n3 10 100 5\n4 11 100 5\n5 12 100 5\n6 12 100 5\n";

std::string evaluation_output(int served) {
  return "\n Number of Unique Users : " + std::to_string(served) +
         "\n Resource Recommendations: Average Time = <t>"
         "\n User Proposition: Average Time = <t>";
}

struct Expected {
  std::string concepts;
  std::string users;
  std::string out;
};

void expect_run(const std::string& base, const std::string& thresholds, const Expected& e) {
  TempDir dir;
  write_file(dir.file("base.txt"), base);
  std::vector<std::string> args{"base.txt"};
  for (std::size_t at = 0; at < thresholds.size(); at += 2)
    args.push_back(thresholds.substr(at, 1));
  const RunResult r = run_quadmine(dir.path(), args);
  EXPECT_EQ(r.exit_status, 0);
  EXPECT_EQ(mask_times(r.out), e.out);
  EXPECT_EQ(read_file(dir.file("quadri_concepts.txt")), e.concepts);
  EXPECT_EQ(read_file(dir.file("users_only.txt")), e.users);
}

const Expected kTwoGroups{
    "\nU = {1, 2, 3, },  T = {10, },  R = {100, },  D = {5, }"
    "\nU = {5, 6, },  T = {12, },  R = {100, },  D = {5, }",
    "1 5\n2 5\n3 5\n5 5\n6 5\n",
    // Every user is recommended resource 100 of the other concept.
    evaluation_output(5)};

TEST(LoaderExamples, GroupsOfTwoOrMoreUsers) { expect_run(kSixLines, "2 1 1 1", kTwoGroups); }

TEST(LoaderExamples, SingleUserConceptsAreAbsorbedOrFilteredAway) {
  // With MINSUPP_U 1 the loader adds U {1} and U {5}; the passes then create
  // their copies, and the final filter drops them all as strictly contained.
  expect_run(kSixLines, "1 1 1 1", kTwoGroups);
}

TEST(LoaderExamples, NothingLargeEnough) {
  expect_run(kSixLines, "4 1 1 1", {"", "", evaluation_output(0)});
}

TEST(LoaderExamples, EmptyBaseAndBlankBase) {
  const Expected nothing{"", "", evaluation_output(0)};
  expect_run("", "1 1 1 1", nothing);
  expect_run("\n \r\n\t\n", "1 1 1 1", nothing);
}

TEST(LoaderExamples, CrlfNoFinalLineFeedNegativeAndExtremeIdentifiers) {
  expect_run("-1 -1 -1 -1\r\n2147483647 -1 -1 -1\r\n-2147483648 7 -1 -1", "2 1 1 1",
             {"\nU = {-1, 2147483647, },  T = {-1, },  R = {-1, },  D = {-1, }",
              "-1 -1\n2147483647 -1\n", evaluation_output(0)});
}

}  // namespace

namespace {

// Repeated lines give U {1 1}, which counts U {1 2} (before it in the store)
// as an equal copy: examining U {1 1} erases U {1 2}, so U {1 1} moves down
// one place. It is still reported, once, and the report ends without reading
// past the store. No pass changes this store: the two concepts share one user
// only (MINSUPP_U is 2) and neither contains the other's users.
TEST(LoaderExamples, EqualCopyErasedBeforeTheExaminedConcept) {
  expect_run("1 5 7 9\n2 5 7 9\n3 6 8 1\n1 5 7 9\n1 5 7 9\n", "2 1 1 1",
             {"\nU = {1, 2, },  T = {5, },  R = {7, },  D = {9, }"
              "\nU = {1, 1, },  T = {5, },  R = {7, },  D = {9, }",
              "1 9\n2 9\n1 9\n1 9\n",
              // User 1 is in both concepts and gets no resource; user 2 gets 7.
              evaluation_output(1)});
}

}  // namespace
