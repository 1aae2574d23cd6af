// End-to-end runs through loading, the three mining passes and the report.
// Every expected file below was worked out by hand from the rules of the
// passes; the comments give the intermediate stores.

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "run_support.h"

namespace {

// One base line per user: "user tag resource d".
std::string group(std::initializer_list<int> users, int tag, int resource, int d) {
  std::string text;
  for (const int u : users) {
    text += std::to_string(u) + ' ' + std::to_string(tag) + ' ' + std::to_string(resource) + ' ' +
            std::to_string(d) + '\n';
  }
  return text;
}

struct Outcome {
  int exit_status;
  std::string concepts;
  std::string users;
};

Outcome mine(const std::string& base, const std::vector<std::string>& thresholds) {
  TempDir dir;
  write_file(dir.file("base.txt"), base);
  std::vector<std::string> args = {"base.txt"};
  args.insert(args.end(), thresholds.begin(), thresholds.end());
  const RunResult r = run_quadmine(dir.path(), args);
  return {r.exit_status, read_file(dir.file("quadri_concepts.txt")),
          read_file(dir.file("users_only.txt"))};
}

void expect_outcome(const Outcome& got, const std::string& concepts, const std::string& users) {
  EXPECT_EQ(got.exit_status, 0);
  EXPECT_EQ(got.concepts, concepts);
  EXPECT_EQ(got.users, users);
}

// 22 lines (tail window 3). Loaded:
//   C0 U{1 2 3} T10   C1 U{1 2 3} T11   C2 U{2 3 4} T12   C3 U{2 3 6} T14
//   C4 U{1 2 3 4} T13 (all R5 D7), then U{8 9} with T15, T16, T17 (R6 D7).
std::string tag_example_base() {
  return group({1, 2, 3}, 10, 5, 7) + group({1, 2, 3}, 11, 5, 7) + group({2, 3, 4}, 12, 5, 7) +
         group({2, 3, 6}, 14, 5, 7) + group({1, 2, 3, 4}, 13, 5, 7) + group({8, 9}, 15, 6, 7) +
         group({8, 9}, 16, 6, 7) + group({8, 9}, 17, 6, 7);
}

// Tag pass: C0 T{10 11 13}, C1 erased, C2 T{12 13}, C3 T{14}, C4 T{13}, the
// R6 concepts unchanged, new U{2 3} T{10 11 12 13 14}.
// Resource pass (only concepts with 2 tags or more): C0 x U{2 3} gives
// U{2 3} T{10 11 13}; C2 x U{2 3} gives U{2 3} T{12 13}.
// D pass: every D is {7}; the two candidates it builds equal those two new
// concepts and are appended too.
// Report (2 tags or more): the new ones of the resource pass are strictly
// inside C0 and C2 and take their copies of the D pass with them.
TEST(MiningE2E, TagPassWorkedExampleThroughTheWholeRun) {
  expect_outcome(mine(tag_example_base(), {"2", "2", "1", "1"}),
                 "\nU = {1, 2, 3, },  T = {10, 11, 13, },  R = {5, },  D = {7, }"
                 "\nU = {2, 3, 4, },  T = {12, 13, },  R = {5, },  D = {7, }"
                 "\nU = {2, 3, },  T = {10, 11, 12, 13, 14, },  R = {5, },  D = {7, }",
                 "1 7\n2 7\n3 7\n2 7\n3 7\n4 7\n2 7\n3 7\n");
}

// minsupp_u = 3: the R6 groups are dropped when loading, and the two common
// users of incomparable neighbours fall one short, so no U{2 3} concept.
TEST(MiningE2E, CommonUsersOneShortOfMinsuppU) {
  expect_outcome(mine(tag_example_base(), {"3", "2", "1", "1"}),
                 "\nU = {1, 2, 3, },  T = {10, 11, 13, },  R = {5, },  D = {7, }"
                 "\nU = {2, 3, 4, },  T = {12, 13, },  R = {5, },  D = {7, }",
                 "1 7\n2 7\n3 7\n2 7\n3 7\n4 7\n");
}

// 16 lines. Loaded (all U{1 2}): T10 R5 D7, T11 R5 D7, T10 R6 D7, T11 R6 D7,
// T10 R5 D8, T11 R5 D8, then U{3 4} T12 R9 D9 and U{3 4} T13 R9 D9.
// Tag pass: at i = 1 and i = 2 the current concept is erased and its
// successor becomes current; store: U{1 2} T{10 11} with R5 D7, R6 D7 and
// R5 D8, then the two R9 concepts.
// Resource pass: the R5 D7 concept absorbs R6 (and its twin leaves):
// R{5 6} D{7}. D pass with minsupp_r = 1: R{5 6} D{7} x R{5} D{8} gives
// U{1 2} T{10 11} R{5} D{7 8}.
std::string erasing_base() {
  return group({1, 2}, 10, 5, 7) + group({1, 2}, 11, 5, 7) + group({1, 2}, 10, 6, 7) +
         group({1, 2}, 11, 6, 7) + group({1, 2}, 10, 5, 8) + group({1, 2}, 11, 5, 8) +
         group({3, 4}, 12, 9, 9) + group({3, 4}, 13, 9, 9);
}

TEST(MiningE2E, TagPassErasesTheCurrentConceptThenResourceAndDPassesGrow) {
  const std::string both =
      "\nU = {1, 2, },  T = {10, 11, },  R = {5, 6, },  D = {7, }"
      "\nU = {1, 2, },  T = {10, 11, },  R = {5, },  D = {7, 8, }";
  // R{5} D{8} is strictly inside the D pass's new concept.
  expect_outcome(mine(erasing_base(), {"2", "2", "1", "1"}), both, "1 7\n2 7\n1 7\n2 7\n");
}

TEST(MiningE2E, ResourceAndDThresholdsPassOrFailByOneElement) {
  // minsupp_r = 2: the D pass only looks at R{5 6} and builds nothing, and
  // the R{5} concepts miss the threshold by one.
  expect_outcome(mine(erasing_base(), {"2", "2", "2", "1"}),
                 "\nU = {1, 2, },  T = {10, 11, },  R = {5, 6, },  D = {7, }", "1 7\n2 7\n");
  // minsupp_d = 2: only the concept with D{7 8} reaches it.
  expect_outcome(mine(erasing_base(), {"2", "2", "1", "2"}),
                 "\nU = {1, 2, },  T = {10, 11, },  R = {5, },  D = {7, 8, }", "1 7\n2 7\n");
}

// 14 lines: U{1 2 3} T10, U{2 3 4} T12, U{2 3} T18 (R5 D7), then U{8 9}
// with T15, T16, T17 (R6 D7). The tag pass creates U{2 3} T{10 12}; the
// stored U{2 3} grows backwards to T{18 12 10}; in the merge phase the new
// concept takes 18 and the stored one leaves the store.
std::string merge_base() {
  return group({1, 2, 3}, 10, 5, 7) + group({2, 3, 4}, 12, 5, 7) + group({2, 3}, 18, 5, 7) +
         group({8, 9}, 15, 6, 7) + group({8, 9}, 16, 6, 7) + group({8, 9}, 17, 6, 7);
}

TEST(MiningE2E, MergePhaseReplacesTheStoredConceptWithTheSameUsers) {
  // Only the new concept has two tags; the other passes find nothing.
  expect_outcome(mine(merge_base(), {"2", "2", "1", "1"}),
                 "\nU = {2, 3, },  T = {10, 12, 18, },  R = {5, },  D = {7, }", "2 7\n3 7\n");

  // minsupp_t = 1: the resource pass adds U{2 3} T{10} and U{2 3} T{12}, the
  // D pass adds equal copies of them; all four lie strictly within
  // U{2 3} T{10 12 18} and are not reported.
  expect_outcome(mine(merge_base(), {"2", "1", "1", "1"}),
                 "\nU = {1, 2, 3, },  T = {10, },  R = {5, },  D = {7, }"
                 "\nU = {2, 3, 4, },  T = {12, },  R = {5, },  D = {7, }"
                 "\nU = {8, 9, },  T = {15, },  R = {6, },  D = {7, }"
                 "\nU = {8, 9, },  T = {16, },  R = {6, },  D = {7, }"
                 "\nU = {8, 9, },  T = {17, },  R = {6, },  D = {7, }"
                 "\nU = {2, 3, },  T = {10, 12, 18, },  R = {5, },  D = {7, }",
                 "1 7\n2 7\n3 7\n2 7\n3 7\n4 7\n8 7\n9 7\n8 7\n9 7\n8 7\n9 7\n2 7\n3 7\n");
}

// A repeated line gives U{1 1 2}; its neighbour U{1 2 3} has as many users,
// so it leaves the store once the current concept has its tag.
TEST(MiningE2E, RepeatedUserMakesTheTagPassEraseALongerNeighbour) {
  const std::string base = group({1, 1, 2}, 10, 5, 7) + group({1, 2, 3}, 11, 5, 7) +
                           group({8, 9}, 15, 6, 7) + group({8, 9}, 16, 6, 7);
  expect_outcome(mine(base, {"2", "1", "1", "1"}),
                 "\nU = {1, 1, 2, },  T = {10, 11, },  R = {5, },  D = {7, }"
                 "\nU = {8, 9, },  T = {15, },  R = {6, },  D = {7, }"
                 "\nU = {8, 9, },  T = {16, },  R = {6, },  D = {7, }",
                 "1 7\n1 7\n2 7\n8 7\n9 7\n8 7\n9 7\n");
}

// 50 concepts of users 1 2 3 4: pair k (k = 0..24) is T100 Rk then T101 Rk,
// all with D 1. 200 lines give a tail window of 50; dropping the last line
// gives 199 lines (the last concept keeps users 1 2 3) and a window of 3.
std::string pairs_base(int pairs) {
  std::string base;
  for (int k = 0; k < pairs; ++k) {
    base += group({1, 2, 3, 4}, 100, k, 1) + group({1, 2, 3, 4}, 101, k, 1);
  }
  return base;
}

TEST(MiningE2E, TwoHundredLinesSwitchTheTailWindowFromThreeToFifty) {
  const std::string base200 = pairs_base(25);
  const std::string base199 =
      base200.substr(0, base200.size() - std::string("4 101 24 1\n").size());

  // Window 50 with 50 concepts: the tag pass does nothing, every concept
  // keeps one tag, and nothing reaches minsupp_t = 2.
  expect_outcome(mine(base200, {"3", "2", "1", "1"}), "", "");

  // Window 3: iterations 0 to 23 each join one pair (iteration k runs while
  // k + 3 < 51 - k); the last pair stays apart. The resource pass then joins
  // the 24 two-tag concepts into one with R{0 .. 23}.
  std::string resources;
  for (int k = 0; k < 24; ++k) resources += std::to_string(k) + ", ";
  expect_outcome(mine(base199, {"3", "2", "1", "1"}),
                 "\nU = {1, 2, 3, 4, },  T = {100, 101, },  R = {" + resources + "},  D = {1, }",
                 "1 1\n2 1\n3 1\n4 1\n");
}

// 61 concepts (244 lines, window 50): the 30 pairs of pairs_base and one
// more concept T100 R99. Iteration k joins pair k while k + 50 < 62 - k, so
// pairs 0 to 5 are joined before the loop ends; the resource pass then joins
// those six into one concept.
TEST(MiningE2E, WindowOfFiftyStopsTheTagPassEarly) {
  const std::string base = pairs_base(30) + group({1, 2, 3, 4}, 100, 99, 1);
  expect_outcome(mine(base, {"4", "2", "1", "1"}),
                 "\nU = {1, 2, 3, 4, },  T = {100, 101, },  R = {0, 1, 2, 3, 4, 5, },  D = {1, }",
                 "1 1\n2 1\n3 1\n4 1\n");
}

}  // namespace
