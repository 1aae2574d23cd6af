// The two timed evaluations: what each user receives, which users are served
// and counted, and the texts printed (times masked).
#include <cmath>
#include <cstdio>
#include <memory>
#include <regex>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "evaluation/resource_recommendation.h"
#include "evaluation/timed_serving.h"
#include "evaluation/user_proposition.h"
#include "output/report.h"
#include "test_support.h"
#include "tools_test_support.h"

namespace {

using tools_test::capture_stdout;
using V = std::vector<int>;
using File = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

// A stream holding `text`, left at its end as the report leaves users_only.
File stream_with(const std::string& text) {
  File f(std::tmpfile(), &std::fclose);
  if (!f) throw std::runtime_error("tmpfile failed");
  std::fputs(text.c_str(), f.get());
  return f;
}

// Replaces each measured time, printed as "%f" prints a non-negative finite
// number, with "<t>"; any other time is left and fails the comparison.
std::string mask(const std::string& out) {
  static const std::regex time(R"(Average Time = [0-9]+\.[0-9]{6})");
  return std::regex_replace(out, time, "Average Time = <t>");
}

// The printed texts: a masked time when some user was served, else NaN.
// 0.0f / 0 on x86-64 gives the default NaN, whose sign bit is set; glibc's
// printf writes it as "-nan".
std::string time_text(bool served) { return served ? "<t>" : "-nan"; }
std::string resources_text(int served) {
  return "\n Number of Unique Users : " + std::to_string(served) +
         "\n Resource Recommendations: Average Time = " + time_text(served > 0);
}
std::string users_text(bool served) {
  return "\n User Proposition: Average Time = " + time_text(served);
}

// What each user receives: ids once each in first-seen order, from the
// concepts whose first D value is the user's.

TEST(RecommendResources, TakesResourcesOfMatchingConceptsWithoutTheUser) {
  const std::vector<TriConcept> two = {make_concept({1, 2}, {10}, {3, 4}, {5}),
                                       make_concept({2, 3}, {11}, {7, 8}, {5})};
  EXPECT_EQ(recommend_resources(1, 5, two), (V{7, 8}));
  EXPECT_EQ(recommend_resources(2, 5, two), V{}) << "user 2 is in every matching concept";
  EXPECT_EQ(recommend_resources(9, 5, two), (V{3, 4, 7, 8}));
  EXPECT_EQ(recommend_resources(1, 6, two), V{}) << "no concept begins with D 6";

  // Only the first D value is compared; a concept without D matches nothing.
  const std::vector<TriConcept> first_d = {make_concept({1}, {10}, {3}, {6, 5}),
                                           make_concept({2}, {10}, {4}, {5, 6}),
                                           make_concept({2}, {10}, {9}, {})};
  EXPECT_EQ(recommend_resources(1, 5, first_d), (V{4}));
  EXPECT_EQ(recommend_resources(2, 6, first_d), (V{3}));

  const std::vector<TriConcept> repeats = {make_concept({2}, {10}, {8, 3, 8}, {5}),
                                           make_concept({1}, {11}, {6}, {5}),
                                           make_concept({3}, {12}, {3, 1}, {5})};
  EXPECT_EQ(recommend_resources(1, 5, repeats), (V{8, 3, 1}));
  EXPECT_EQ(recommend_resources(4, 5, repeats), (V{8, 3, 6, 1}));
  V reused{42, 43};
  const ReportedIndex index(repeats);
  EpochSet seen(index.numbered());
  recommend_resources(2, 5, index, seen, reused);
  EXPECT_EQ(reused, (V{6, 3, 1})) << "the list is emptied first";
}

TEST(ProposeUsers, UsersOfAllMatchingConceptsOnceWithoutTheUserItself) {
  const std::vector<TriConcept> reported = {
      make_concept({4, 1, 2}, {10}, {3}, {5}), make_concept({7}, {10}, {3}, {6, 5}),
      make_concept({2, 1, 9, 9}, {11}, {4}, {5}), make_concept({8}, {12}, {4}, {})};
  EXPECT_EQ(propose_users(1, 5, reported), (V{4, 2, 9}));
  EXPECT_EQ(propose_users(9, 5, reported), (V{4, 1, 2}));
  EXPECT_EQ(propose_users(3, 5, reported), (V{4, 1, 2, 9})) << "a stranger gets everyone";
  EXPECT_EQ(propose_users(1, 4, reported), V{}) << "no concept begins with D 4";
  V reused{42};
  const ReportedIndex index(reported);
  EpochSet seen(index.numbered());
  propose_users(7, 6, index, seen, reused);
  EXPECT_EQ(reused, V{}) << "the list is emptied first, and 7 is not offered to itself";
}

// Which users are served, with which D value.

std::vector<std::pair<int, int>> g_calls;
std::vector<V> g_lists;

void recording_recommendation(int user, int d, const ReportedIndex& index, EpochSet& seen,
                              V& list) {
  recommend_resources(user, d, index, seen, list);
  g_calls.emplace_back(user, d);
  g_lists.push_back(list);
}

TEST(TimedServing, ServesEachUserOnceWithItsFirstWellFormedLine) {
  const std::vector<TriConcept> reported = {make_concept({1, 2}, {10}, {100}, {5}),
                                            make_concept({3}, {11}, {101}, {6}),
                                            make_concept({4}, {12}, {102}, {5})};
  // Lines without two integers are skipped; blanks around the numbers are not.
  File in = stream_with("\n7\nx 5\n1 5\n 2   5 \n3 6\n1 6\n4 5\n2 5\n");
  const ReportedIndex index(reported);
  EpochSet seen(index.numbered());
  g_calls.clear();
  g_lists.clear();
  const ServingTotals totals = time_each_user(in.get(), [&](int user, int d, V& list) {
    recording_recommendation(user, d, index, seen, list);
  });

  EXPECT_EQ(g_calls, (std::vector<std::pair<int, int>>{{1, 5}, {2, 5}, {3, 6}, {4, 5}}));
  EXPECT_EQ(g_lists, (std::vector<V>{{102}, {102}, {}, {100}}));
  EXPECT_EQ(totals.served, 3) << "user 3 got nothing and is not counted";
  EXPECT_GE(totals.total_seconds, 0.0f);
  EXPECT_TRUE(std::isfinite(average_seconds(totals)));
}

TEST(AverageSeconds, DividesInSinglePrecisionWithoutGuard) {
  EXPECT_EQ(average_seconds({4, 1.0f}), 0.25f);
  EXPECT_EQ(average_seconds({3, 1.0f}), 1.0f / 3.0f);
  EXPECT_TRUE(std::isnan(average_seconds({0, 0.0f})));
}

class Evaluations : public StoreTest {};

TEST_F(Evaluations, PrintCountsAndAveragesOfTheUsersServed) {
  const struct {
    const char* what;
    std::vector<TriConcept> reported;
    std::string users;
    int served_resources;
    bool served_users;
  } cases[] = {
      {"no reported concept", {}, "", 0, false},
      {"one concept: no resources, every user offered the other two",
       {make_concept({1, 2, 3}, {10}, {100}, {5})},
       "1 5\n2 5\n3 5\n",
       0,
       true},
      {"a lonely user alone", {make_concept({1}, {10}, {100}, {5})}, "1 5\n", 0, false},
      {"users 1 and 2 get the other concept's resources, 3 is in both",
       {make_concept({1, 3}, {10}, {100}, {5}), make_concept({2, 3}, {11}, {101}, {5})},
       "1 5\n3 5\n2 5\n3 5\n",
       2,
       true},
  };
  for (const auto& c : cases) {
    ens_tc2 = c.reported;
    File in = stream_with(c.users);
    EXPECT_EQ(mask(capture_stdout([&] { recomm_generale(in.get()); })),
              resources_text(c.served_resources))
        << c.what;
    EXPECT_EQ(mask(capture_stdout([&] { recomm_generale_users(in.get()); })),
              users_text(c.served_users))
        << c.what;
  }
}

TEST_F(Evaluations, BothRunOnTheStreamTheReportWrote) {
  // Distinct users and D values 5, 5, 6: every user of the two D-5 concepts
  // gets the other's resource; the D-6 pair gets none.
  ens_tc = {make_concept({1, 2}, {10}, {100}, {5}), make_concept({3, 4}, {11}, {101}, {5}),
            make_concept({5, 6}, {12}, {102}, {6})};
  minsupp_u = minsupp_t = minsupp_r = minsupp_d = 1;
  File concepts = stream_with("");
  File users = stream_with("");
  write_report(concepts.get(), users.get());
  ASSERT_EQ(ens_tc2.size(), 3u);

  const std::string out = capture_stdout([&] {
    recomm_generale(users.get());
    recomm_generale_users(users.get());
  });
  EXPECT_EQ(mask(out), resources_text(4) + users_text(true));
  EXPECT_EQ(recommend_resources(5, 6, ens_tc2), V{});
  EXPECT_EQ(propose_users(5, 6, ens_tc2), (V{6}));
}

}  // namespace
