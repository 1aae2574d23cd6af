// The two timed evaluations: what each user receives, which users are served
// and counted, and the texts printed (times masked).
#include <unistd.h>

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

namespace {

using V = std::vector<int>;
using File = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

// 0.0f / 0 on x86-64 gives the default NaN, whose sign bit is set; glibc's
// printf writes it as "-nan".
const std::string kNaN = "-nan";

File open_temp() {
  File f(std::tmpfile(), &std::fclose);
  if (!f) throw std::runtime_error("tmpfile failed");
  return f;
}

// A users_only stream holding `text`, left at its end as the report leaves it.
File users_stream(const std::string& text) {
  File f = open_temp();
  std::fputs(text.c_str(), f.get());
  return f;
}

// Runs `body` with standard output sent to a temporary file and returns what
// it printed.
template <class Body>
std::string capture_stdout(Body body) {
  File sink = open_temp();
  std::fflush(stdout);
  const int saved = dup(STDOUT_FILENO);
  dup2(fileno(sink.get()), STDOUT_FILENO);
  body();
  std::fflush(stdout);
  dup2(saved, STDOUT_FILENO);
  close(saved);

  std::string out;
  std::rewind(sink.get());
  char chunk[256];
  std::size_t n = 0;
  while ((n = std::fread(chunk, 1, sizeof chunk, sink.get())) > 0) out.append(chunk, n);
  return out;
}

// Replaces each measured time with "<t>", after checking that it is printed
// as "%f" prints a non-negative finite number.
std::string mask(const std::string& out) {
  static const std::regex time(R"(Average Time = ([0-9]+\.[0-9]{6}))");
  for (std::sregex_iterator it(out.begin(), out.end(), time), end; it != end; ++it) {
    EXPECT_GE(std::stod((*it)[1].str()), 0.0) << out;
  }
  return std::regex_replace(out, time, "Average Time = <t>");
}

std::string resources_text(int count, const std::string& time) {
  return "\n Number of Unique Users : " + std::to_string(count) +
         "\n Resource Recommendations: Average Time = " + time;
}
std::string users_text(const std::string& time) {
  return "\n User Proposition: Average Time = " + time;
}

std::string run_resources(std::FILE* users_only) {
  return capture_stdout([&] { recomm_generale(users_only); });
}
std::string run_users(std::FILE* users_only) {
  return capture_stdout([&] { recomm_generale_users(users_only); });
}

// ---------------------------------------------------------------------------
// What each user receives.

TEST(RecommendResources, TakesResourcesOfMatchingConceptsWithoutTheUser) {
  const std::vector<TriConcept> reported = {make_concept({1, 2}, {10}, {3, 4}, {5}),
                                            make_concept({2, 3}, {11}, {7, 8}, {5})};
  EXPECT_EQ(recommend_resources(1, 5, reported), (V{7, 8}));
  EXPECT_EQ(recommend_resources(3, 5, reported), (V{3, 4}));
  EXPECT_EQ(recommend_resources(2, 5, reported), V{}) << "user 2 is in every matching concept";
  EXPECT_EQ(recommend_resources(9, 5, reported), (V{3, 4, 7, 8}));
  EXPECT_EQ(recommend_resources(1, 6, reported), V{}) << "no concept begins with D 6";
}

TEST(RecommendResources, ComparesOnlyTheFirstDValue) {
  const std::vector<TriConcept> reported = {make_concept({1}, {10}, {3}, {6, 5}),
                                            make_concept({2}, {10}, {4}, {5, 6}),
                                            make_concept({2}, {10}, {9}, {})};
  EXPECT_EQ(recommend_resources(1, 5, reported), (V{4}));
  EXPECT_EQ(recommend_resources(2, 6, reported), (V{3}));
}

TEST(RecommendResources, ListsEachResourceOnceInFirstSeenOrder) {
  const std::vector<TriConcept> reported = {make_concept({2}, {10}, {8, 3, 8}, {5}),
                                            make_concept({1}, {11}, {6}, {5}),
                                            make_concept({3}, {12}, {3, 1}, {5})};
  EXPECT_EQ(recommend_resources(1, 5, reported), (V{8, 3, 1}));
  EXPECT_EQ(recommend_resources(4, 5, reported), (V{8, 3, 6, 1}));

  V reused{42, 43};
  ReportedIndex index(reported);
  recommend_resources(2, 5, index, reused);
  EXPECT_EQ(reused, (V{6, 3, 1})) << "the list is emptied first";
}

TEST(ProposeUsers, SingleConceptOffersEachUserTheOthers) {
  const std::vector<TriConcept> reported = {make_concept({1, 2}, {10}, {3}, {5})};
  EXPECT_EQ(propose_users(1, 5, reported), (V{2}));
  EXPECT_EQ(propose_users(2, 5, reported), (V{1}));
  EXPECT_EQ(propose_users(1, 6, reported), V{});
}

TEST(ProposeUsers, LonelyUserGetsNothing) {
  const std::vector<TriConcept> reported = {make_concept({1}, {10}, {3}, {5}),
                                            make_concept({2, 3}, {10}, {3}, {6})};
  EXPECT_EQ(propose_users(1, 5, reported), V{});
}

TEST(ProposeUsers, UsersOfAllMatchingConceptsOnceWithoutTheUserItself) {
  const std::vector<TriConcept> reported = {make_concept({4, 1, 2}, {10}, {3}, {5}),
                                            make_concept({7}, {10}, {3}, {6, 5}),
                                            make_concept({2, 1, 9, 9}, {11}, {4}, {5}),
                                            make_concept({8}, {12}, {4}, {})};
  EXPECT_EQ(propose_users(1, 5, reported), (V{4, 2, 9}));
  EXPECT_EQ(propose_users(9, 5, reported), (V{4, 1, 2}));
  EXPECT_EQ(propose_users(3, 5, reported), (V{4, 1, 2, 9})) << "a stranger gets everyone";

  V reused{42};
  ReportedIndex index(reported);
  propose_users(7, 6, index, reused);
  EXPECT_EQ(reused, V{}) << "the list is emptied first, and 7 is not offered to itself";
}

// ---------------------------------------------------------------------------
// Which users are served, with which D value.

std::vector<std::pair<int, int>> g_calls;
std::vector<V> g_lists;

void recording_recommendation(int user, int d, ReportedIndex& index, V& list) {
  recommend_resources(user, d, index, list);
  g_calls.emplace_back(user, d);
  g_lists.push_back(list);
}

class TimedServing : public StoreTest {
 protected:
  void SetUp() override {
    StoreTest::SetUp();
    g_calls.clear();
    g_lists.clear();
  }
};

TEST_F(TimedServing, ServesEachUserOnceWithItsFirstLine) {
  const std::vector<TriConcept> reported = {make_concept({1, 2}, {10}, {100}, {5}),
                                            make_concept({3}, {11}, {101}, {6}),
                                            make_concept({4}, {12}, {102}, {5})};
  File in = users_stream("1 5\n2 5\n3 6\n1 6\n4 5\n2 5\n");
  ReportedIndex index(reported);
  const ServingTotals totals = time_each_user(in.get(), index, recording_recommendation);

  EXPECT_EQ(g_calls, (std::vector<std::pair<int, int>>{{1, 5}, {2, 5}, {3, 6}, {4, 5}}));
  EXPECT_EQ(g_lists, (std::vector<V>{{102}, {102}, {}, {100}}));
  EXPECT_EQ(totals.served, 3) << "user 3 got nothing and is not counted";
  EXPECT_GE(totals.total_seconds, 0.0f);
  EXPECT_TRUE(std::isfinite(average_seconds(totals)));
}

TEST_F(TimedServing, LinesWithoutTwoIntegersAreSkipped) {
  const std::vector<TriConcept> reported = {make_concept({1}, {10}, {100}, {5}),
                                            make_concept({2}, {11}, {101}, {5})};
  File in = users_stream("\n7\nx 5\n1 5\n 2   5 \n");
  ReportedIndex index(reported);
  const ServingTotals totals = time_each_user(in.get(), index, recording_recommendation);
  EXPECT_EQ(g_calls, (std::vector<std::pair<int, int>>{{1, 5}, {2, 5}}));
  EXPECT_EQ(totals.served, 2);
}

TEST(AverageSeconds, DividesInSinglePrecisionWithoutGuard) {
  EXPECT_EQ(average_seconds({4, 1.0f}), 0.25f);
  EXPECT_EQ(average_seconds({3, 1.0f}), 1.0f / 3.0f);
  EXPECT_TRUE(std::isnan(average_seconds({0, 0.0f})));
}

// ---------------------------------------------------------------------------
// The printed texts.

class Evaluations : public StoreTest {};

TEST_F(Evaluations, NoReportedConceptPrintsZeroAndNaN) {
  File in = users_stream("");
  EXPECT_EQ(run_resources(in.get()), resources_text(0, kNaN));
  EXPECT_EQ(run_users(in.get()), users_text(kNaN));
}

TEST_F(Evaluations, SingleConceptServesNobodyWithResources) {
  ens_tc2 = {make_concept({1, 2, 3}, {10}, {100}, {5})};
  File in = users_stream("1 5\n2 5\n3 5\n");
  EXPECT_EQ(run_resources(in.get()), resources_text(0, kNaN));
  EXPECT_EQ(mask(run_users(in.get())), users_text("<t>"))
      << "every user is offered the other two";
}

TEST_F(Evaluations, LonelyUserAloneGivesNaNProposition) {
  ens_tc2 = {make_concept({1}, {10}, {100}, {5})};
  File in = users_stream("1 5\n");
  EXPECT_EQ(run_users(in.get()), users_text(kNaN));
}

TEST_F(Evaluations, CountsOnlyUsersWhoReceiveResources) {
  // Users 1 and 2 get the other concept's resources; user 3 is in both.
  ens_tc2 = {make_concept({1, 3}, {10}, {100}, {5}), make_concept({2, 3}, {11}, {101}, {5})};
  File in = users_stream("1 5\n3 5\n2 5\n3 5\n");
  EXPECT_EQ(mask(run_resources(in.get())), resources_text(2, "<t>"));
}

TEST_F(Evaluations, RepeatedUserIsServedWithItsFirstDValue) {
  // Served with D 5, user 1 gets nothing; with D 6 it would get 101.
  ens_tc2 = {make_concept({1, 2}, {10}, {100}, {5}), make_concept({3}, {11}, {101}, {6}),
             make_concept({1}, {12}, {102}, {6})};
  File in = users_stream("1 5\n2 5\n3 6\n1 6\n");
  EXPECT_EQ(mask(run_resources(in.get())), resources_text(1, "<t>")) << "only user 3";

  // Twice with a D value that serves it: counted once.
  File twice = users_stream("3 6\n3 6\n");
  EXPECT_EQ(mask(run_resources(twice.get())), resources_text(1, "<t>"));
}

TEST_F(Evaluations, BothRunOnTheStreamTheReportWrote) {
  // Concepts with distinct users and D values 5, 5, 6: every user of the two
  // D-5 concepts gets the other's resource; the D-6 pair gets none.
  ens_tc = {make_concept({1, 2}, {10}, {100}, {5}), make_concept({3, 4}, {11}, {101}, {5}),
            make_concept({5, 6}, {12}, {102}, {6})};
  minsupp_u = minsupp_t = minsupp_r = minsupp_d = 1;
  File concepts = open_temp();
  File users = open_temp();
  write_report(concepts.get(), users.get());
  ASSERT_EQ(ens_tc2.size(), 3u);

  const std::string out =
      capture_stdout([&] {
        recomm_generale(users.get());
        recomm_generale_users(users.get());
      });
  EXPECT_EQ(mask(out), resources_text(4, "<t>") + users_text("<t>"));
  EXPECT_EQ(recommend_resources(5, 6, ens_tc2), V{});
  EXPECT_EQ(propose_users(5, 6, ens_tc2), (V{6}));
}

}  // namespace
