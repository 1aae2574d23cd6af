// The figures of quadmine-evaluate on a small base, worked out by hand.
#include "evaluate/metrics.h"
#include "evaluate/split_base.h"
#include "evaluate/training_run.h"
#include "support.h"
#include "util/file_handle.h"

using namespace quadmine;  // NOLINT: the tests and benchmarks use the program's names

namespace {

// Training part (d < 2010): one tag per (resource, D) group, so that no pass
// merges or creates anything at 2 1 1 1 and the report is the six groups:
//   c0 U 1 2 4  R 100   c1 U 3 5  R 100   c2 U 2 3  R 101
//   c3 U 4 5 6  R 102   c4 U 1 6  R 103   (all D 2009)
//   c5 U 8 9    R 105   D 2008
// Served users (users_only.txt order): 1 2 4 3 5 6 with 2009, 8 9 with 2008.
// Test part: 1 -> 101 102, 2 -> 103, 3 -> 100 104, 8 -> 100, and user 7, who
// is not in the training run. Evaluated users: 1, 2, 3, 8 (n = 4).
// Known (training) resources: 1 -> 100 103, 2 -> 100 101, 3 -> 100 101,
// 8 -> 105. Training resources: 100 101 102 103 105 (5).
const char* const kBase =
    "1 1 100 2009\n2 1 100 2009\n4 1 100 2009\n3 2 100 2009\n5 2 100 2009\n"
    "1 9 101 2010\n"
    "2 3 101 2009\n3 3 101 2009\n4 4 102 2009\n5 4 102 2009\n6 4 102 2009\n"
    "1 5 103 2009\n6 5 103 2009\n8 6 105 2008\n9 6 105 2008\n"
    "1 9 102 2010\n2 9 103 2010\n3 9 100 2010\n3 9 104 2010\n7 9 100 2010\n8 9 100 2010\n";

// The lists at k = 5 (all of them shorter):
//   method           user 1        user 2        user 3        user 8
//   first-seen       100 101 102   100 102 103   100 102 103   -
//   support          102 100 101   102 100 103   100 102 103   -
//   first-seen-new   101 102       102 103       102 103       -
//   support-new      102 101       102 103       102 103       -
//   popular-new      102 101 105   102 103 105   102 103 105   100 102 101 103
// User 1 is in c0 and c4: its resources come from c1 (100, support 2), c2
// (101, 2) and c3 (102, 3). Users 2 and 3 see 100 with support 2 (c1) and 3
// (c0), 102 with 3, 103 with 2. User 8 is alone in group 2008. Popularity:
// 100 five users, 102 three, 101, 103 and 105 two (smaller code first).
// Relevant: 1 -> 101 102, 2 -> 103, 3 -> 100 104, 8 -> 100.
struct Expected {
  Method method;
  std::size_t k;
  double precision, recall, hit_rate, coverage;
};
const Expected kExpected[] = {
    // k = 1: hits u1 0, u2 0, u3 1 (100). Precision 1/4, recall (1/2)/4,
    // coverage {100} of 5.
    {Method::FirstSeen, 1, 0.25, 0.125, 0.25, 0.2},
    // k = 2: u1 hits 101, u3 hits 100: precision (1/2 + 1/2)/4, recall the
    // same, 2 users of 4, coverage {100 101 102}.
    {Method::FirstSeen, 2, 0.25, 0.25, 0.5, 0.6},
    // k = 5: hits 2, 1, 1, 0: precision (2 + 1 + 1)/5/4, recall
    // (1 + 1 + 1/2)/4, 3 users of 4, coverage {100 101 102 103}.
    {Method::FirstSeen, 5, 0.2, 0.625, 0.75, 0.8},
    // k = 1: u1 hits 102, u3 100: precision 2/4, recall (1/2 + 1/2)/4,
    // coverage {100 102}.
    {Method::Support, 1, 0.5, 0.25, 0.5, 0.4},
    {Method::Support, 2, 0.25, 0.25, 0.5, 0.4},
    {Method::Support, 5, 0.2, 0.625, 0.75, 0.8},
    // k = 1: u1 hits 101; coverage {101 102}. k = 2: u1 hits 2 (precision 1,
    // recall 1), u2 hits 103 (1/2, 1): precision 1.5/4, recall 2/4.
    {Method::FirstSeenNew, 1, 0.25, 0.125, 0.25, 0.4},
    {Method::FirstSeenNew, 2, 0.375, 0.5, 0.5, 0.6},
    {Method::FirstSeenNew, 5, 0.15, 0.5, 0.5, 0.6},
    {Method::SupportNew, 1, 0.25, 0.125, 0.25, 0.2},
    {Method::SupportNew, 2, 0.375, 0.5, 0.5, 0.6},
    {Method::SupportNew, 5, 0.15, 0.5, 0.5, 0.6},
    // k = 1: u1 hits 102, u8 hits 100: recall (1/2 + 1)/4. k = 2: u1 2 hits,
    // u2 1, u8 1: precision (1 + 1/2 + 1/2)/4, recall 3/4, coverage
    // {100 101 102 103}. k = 5: every training resource is listed.
    {Method::PopularNew, 1, 0.5, 0.375, 0.5, 0.4},
    {Method::PopularNew, 2, 0.5, 0.75, 0.75, 0.8},
    {Method::PopularNew, 5, 0.2, 0.75, 0.75, 1.0},
};

TEST(EvaluateMetrics, SmallBaseWorkedOutByHand) {
  const std::string base = kBase;
  FileHandle in(fmemopen(const_cast<char*>(base.data()), base.size(), "r"));
  const Result<SplitBase> parts = split_base(in.get(), "base", 2010);
  ASSERT_TRUE(parts.ok()) << parts.message();
  EXPECT_EQ(parts->training_lines, 14);
  EXPECT_EQ(parts->test_lines, 7);
  const Result<TrainingRun> run = mine_training(parts->training, {2, 1, 1, 1});
  ASSERT_TRUE(run.ok()) << run.message();
  EXPECT_EQ(text(run->reported),
            "1 2 4|1|100|2009, 3 5|2|100|2009, 2 3|3|101|2009, 4 5 6|4|102|2009, "
            "1 6|5|103|2009, 8 9|6|105|2008");
  const std::vector<ServedUser> served = {{1, 2009}, {2, 2009}, {4, 2009}, {3, 2009},
                                          {5, 2009}, {6, 2009}, {8, 2008}, {9, 2008}};
  EXPECT_EQ(run->served, served);

  const KnownResources training(parts->training_pairs), test(parts->test_pairs);
  const EvaluationData data{run->reported, run->served, training, test};
  EXPECT_EQ(evaluated_users(data),
            (std::vector<ServedUser>{{1, 2009}, {2, 2009}, {3, 2009}, {8, 2008}}));
  const std::size_t ks[] = {1, 2, 5};
  const std::vector<Score> scores = score_methods(data, ks);
  ASSERT_EQ(scores.size(), std::size(kExpected));
  for (std::size_t i = 0; i < scores.size(); ++i) {
    const Score& s = scores[i];
    const Expected& e = kExpected[i];
    const std::string where = std::string(method_name(e.method)) + " k " + std::to_string(e.k);
    EXPECT_EQ(s.method, e.method) << where;
    EXPECT_EQ(s.k, e.k) << where;
    EXPECT_EQ(s.users, 4u) << where;
    EXPECT_DOUBLE_EQ(s.precision, e.precision) << where;
    EXPECT_DOUBLE_EQ(s.recall, e.recall) << where;
    EXPECT_DOUBLE_EQ(s.hit_rate, e.hit_rate) << where;
    EXPECT_DOUBLE_EQ(s.coverage, e.coverage) << where;
  }
}

// With no evaluated user every average is 0, and coverage counts nothing.
TEST(EvaluateMetrics, NoEvaluatedUser) {
  const Store reported = store("1 2|1|10|5");
  const std::vector<ServedUser> served = {{1, 5}, {2, 5}};
  const KnownResources training({{1, 10}, {2, 10}}), test({{3, 10}});
  const std::size_t ks[] = {3};
  const std::vector<Score> scores = score_methods({reported, served, training, test}, ks);
  ASSERT_EQ(scores.size(), kMethods.size());
  for (const Score& s : scores) {
    EXPECT_EQ(s.users, 0u);
    EXPECT_EQ(s.precision + s.recall + s.hit_rate + s.coverage, 0.0) << method_name(s.method);
  }
}

}  // namespace
