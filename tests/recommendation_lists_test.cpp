// The recommendation lists and their rankings: a table worked out by hand (the
// differential check holds every kind of list against the plain forms on
// generated bases, quadmine-evaluate's figures the popularity ranking).
#include "evaluation/recommendation_lists.h"

#include "evaluation/known_resources.h"
#include "support.h"

using namespace quadmine;  // NOLINT: the tests and benchmarks use the program's names

namespace {

// Group 7 (the concepts whose D set begins with 7) is c0, c1, c2 and c4; c3
// begins with 8 and is group 8 alone. c4 repeats user 4 and resource 13.
//
//   c0  U 1 2      R 10 11     |U| 2
//   c1  U 3        R 12 10     |U| 1
//   c2  U 2 4 5    R 12 13     |U| 3   D 7 8
//   c3  U 6        R 14        |U| 1   D 8 7
//   c4  U 4 6 4    R 13 15 13  |U| 3
const char* const kStore =
    "1 2|1|10 11|7, 3|1|12 10|7, 2 4 5|1|12 13|7 8, 6|1|14|8 7, 4 6 4|1|13 15 13|7";

TEST(RecommendationLists, HandDerivedListsAndRankings) {
  const Store reported = store(kStore);
  // User 9 knows 12 and 15 (any tag, any D value).
  const KnownResources known({{9, 12}, {9, 15}, {9, 12}, {1, 99}});
  RecommendationLists lists(reported);
  enum Kind { kResources, kUsers };
  const struct {
    int user, d;
    Kind kind;
    Rank rank;
    bool exclude;
    std::size_t limit;
    Ints expected;
  } cases[] = {
      // A stranger gets the whole group: 10 11 from c0, 12 from c1, 13 from
      // c2, 15 from c4. Supports: 10 = 2 + 1, 11 = 2, 12 = 1 + 3, 13 = 3 + 3
      // (c4 once, though it holds 13 twice), 15 = 3; 10 and 15 tie, 10 first.
      {9, 7, kResources, Rank::FirstSeen, false, kNoLimit, {10, 11, 12, 13, 15}},
      {9, 7, kResources, Rank::Support, false, kNoLimit, {13, 12, 10, 15, 11}},
      {9, 7, kResources, Rank::FirstSeen, false, 0, {}},
      // Without what user 9 knows (12, 15), then cut.
      {9, 7, kResources, Rank::FirstSeen, true, kNoLimit, {10, 11, 13}},
      {9, 7, kResources, Rank::Support, true, kNoLimit, {13, 10, 11}},
      {9, 7, kResources, Rank::Support, true, 1, {13}},
      // User 1 is in c0: 10 first comes from c1, after 12. Supports without
      // c0: 12 = 1 + 3, 10 = 1, 13 = 6, 15 = 3.
      {1, 7, kResources, Rank::FirstSeen, false, kNoLimit, {12, 10, 13, 15}},
      {1, 7, kResources, Rank::Support, false, kNoLimit, {13, 12, 15, 10}},
      // User 2 is in c0 and c2: 12 and 10 from c1 (1 each), 13 and 15 from c4.
      {2, 7, kResources, Rank::Support, false, kNoLimit, {13, 15, 12, 10}},
      // User 6 is in c4 (c3 is another group): 13 keeps c2's 3 only.
      {6, 7, kResources, Rank::Support, false, kNoLimit, {12, 10, 13, 11}},
      // Only the first D value counts: at 8 only c3; its only user gets nothing,
      // and neither does anyone at a D value that begins no concept.
      {9, 8, kResources, Rank::FirstSeen, false, kNoLimit, {14}},
      {6, 8, kResources, Rank::Support, false, kNoLimit, {}},
      {9, 5, kResources, Rank::FirstSeen, false, kNoLimit, {}},
      // Users of group 7 in first-seen order: 1 2 3 4 5 6. Supports (concepts
      // holding each): 2 and 4 in two (c4 counts once for 4), the others in one.
      {9, 7, kUsers, Rank::FirstSeen, false, kNoLimit, {1, 2, 3, 4, 5, 6}},
      {9, 7, kUsers, Rank::Support, false, kNoLimit, {2, 4, 1, 3, 5, 6}},
      {2, 7, kUsers, Rank::Support, false, kNoLimit, {4, 1, 3, 5, 6}},
      {2, 7, kUsers, Rank::Support, true, 2, {4, 1}},  // known resources do not touch users
      {3, 8, kUsers, Rank::FirstSeen, false, kNoLimit, {6}},
  };
  for (const auto& c : cases) {
    const ListOptions options{c.rank, c.exclude ? &known : nullptr, c.limit};
    Ints got = {-1};
    if (c.kind == kResources) lists.resources(c.user, c.d, options, got);
    if (c.kind == kUsers) lists.users(c.user, c.d, options, got);
    EXPECT_EQ(got, c.expected) << "user " << c.user << " d " << c.d << " kind " << c.kind
                               << " support " << (c.rank == Rank::Support) << " limit " << c.limit;
  }
  // The whole first-seen lists, as the run's evaluations ask for them.
  Ints whole;
  lists.resources(1, 7, whole);
  EXPECT_EQ(whole, (Ints{12, 10, 13, 15}));
  lists.users(4, 7, whole);
  EXPECT_EQ(whole, (Ints{1, 2, 3, 5, 6}));
}

}  // namespace
