// The tag-set extension pass on hand-built stores: the store before the pass,
// the whole store after it.

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "mining/tag_pass.h"
#include "test_support.h"

namespace {

using Store = std::vector<TriConcept>;

class TagPassTest : public StoreTest {
 protected:
  // Runs the pass on `store` as the loader would have left it after `lines`
  // base lines.
  void run(const Store& store, int lines, int min_users = 2) {
    ens_tc = store;
    ijk = lines;
    minsupp_u = min_users;
    find_ts_v3();
    EXPECT_TRUE(indices_ts.empty());
  }
};

TriConcept c5(std::vector<int> us, int tag) { return make_concept(std::move(us), {tag}, {5}, {7}); }
TriConcept c6(int tag) { return make_concept({8, 9}, {tag}, {6}, {7}); }
TriConcept c5(std::vector<int> us, std::vector<int> ts) {
  return make_concept(std::move(us), std::move(ts), {5}, {7});
}

TEST_F(TagPassTest, HandBuiltStores) {
  const Store two_common = {c5({1, 2, 3}, 10), c5({2, 3, 4}, 11), c6(15), c6(16)};
  const Store stops = {c5({1, 2}, 10), make_concept({1, 2}, {11}, {6}, {7}),
                       c5({1, 2}, 12), make_concept({1, 2}, {13}, {5}, {8}),
                       c5({1, 2}, 14), c6(15)};
  const TriConcept bare = make_concept({1, 2}, {10}, {}, {});
  const struct {
    const char* what;
    Store before;
    int lines, min_users;
    Store after;
  } cases[] = {
      {"worked example",
       {c5({1, 2, 3}, 10), c5({1, 2, 3}, 11), c5({2, 3, 4}, 12), c5({2, 3, 6}, 14),
        c5({1, 2, 3, 4}, 13), c6(15), c6(16), c6(17)},
       22,
       2,
       {c5({1, 2, 3}, {10, 11, 13}), c5({2, 3, 4}, {12, 13}), c5({2, 3, 6}, 14),
        c5({1, 2, 3, 4}, 13), c6(15), c6(16), c6(17), c5({2, 3}, {10, 11, 12, 13, 14})}},
      {"stops when no concept is left at the current position",
       {c5({1, 2}, 10), c5({1, 2}, 11), c5({1, 2}, 12), c5({1, 2}, 13), c5({1, 2}, 14)},
       10,
       2,
       {c5({1, 2}, {10, 11, 12, 13, 14})}},
      // The erased current concept is replaced by its successor, and the bound
      // is tested before that erasure: at i = 2 the store holds 6 concepts
      // (2 + 3 < 6), 5 after it, yet the R 6 run is still processed.
      {"erasure of the current concept, bound before erasure",
       {c5({1, 2}, 10), c5({1, 2}, 11), c5({1, 2, 3}, 12), c5({1, 2, 3}, 13), c6(15), c6(16),
        c6(17)},
       16,
       2,
       {c5({1, 2}, {10, 11, 12, 13}), c5({1, 2, 3}, {12, 13}),
        make_concept({8, 9}, {15, 16, 17}, {6}, {7})}},
      // New U {2 3} takes the tags of the stored concept with its users (grown
      // backwards meanwhile), which leaves before the new one is appended.
      {"merge phase erases the stored concept with the new concept's users",
       {c5({1, 2, 3}, 10), c5({2, 3, 4}, 12), c5({2, 3}, 18), c6(15), c6(16), c6(17)},
       14,
       2,
       {c5({1, 2, 3}, 10), c5({2, 3, 4}, 12), c6(15), c6(16), c6(17), c5({2, 3}, {10, 12, 18})}},
      // New {2 3} T{10 12} and {1 3} T{10 13}; {2 3} and {1 3} grow backwards.
      // The first erases {2 3} at position 4, the second {1 3}, still at 3.
      {"merge phase erases between new concepts",
       {c5({1, 2, 3}, 10), c5({2, 3, 4}, 12), c5({1, 3, 5}, 13), c5({1, 3}, 19), c5({2, 3}, 18),
        c6(15), c6(16), c6(17)},
       20,
       2,
       {c5({1, 2, 3}, 10), c5({2, 3, 4}, 12), c5({1, 3, 5}, 13), c6(15), c6(16), c6(17),
        c5({2, 3}, {10, 12, 18}), c5({1, 3}, {10, 13, 19})}},
      {"scans stop at the first neighbour with another resource or D value", stops, 12, 2, stops},
      {"a smaller forward neighbour gains the tags later by the backward scan",
       {c5({1, 2, 3}, 10), c5({1, 2}, 11), c6(15), c6(16), c6(17)},
       13,
       2,
       {c5({1, 2, 3}, 10), c5({1, 2}, {11, 10}), c6(15), c6(16), c6(17)}},
      {"two common users reach minsupp_u = 2",
       two_common,
       10,
       2,
       {c5({1, 2, 3}, 10), c5({2, 3, 4}, 11), c6(15), c6(16), c5({2, 3}, {10, 11})}},
      {"two common users miss minsupp_u = 3", two_common, 10, 3, two_common},
      {"one common user reaches minsupp_u = 1",
       {c5({1, 2}, 10), c5({2, 3}, 11), c6(15), c6(16)},
       8,
       1,
       {c5({1, 2}, 10), c5({2, 3}, 11), c6(15), c6(16), c5({2}, {10, 11})}},
      // Lengths count repetitions: {1 1 2} is as long as {1 2 3}.
      {"a repeated user makes a longer neighbour look equal",
       {c5({1, 1, 2}, 10), c5({1, 2, 3}, 11), c6(15), c6(16)},
       10,
       2,
       {c5({1, 1, 2}, {10, 11}), c6(15), c6(16)}},
      // Outside what the loader produces; nothing reads past the empty lists.
      {"a concept without resource or D value is nobody's neighbour",
       {bare, c5({1, 2}, 11), c5({1, 2}, 12), c6(15), c6(16)},
       10,
       2,
       {bare, c5({1, 2}, {11, 12}), c6(15), c6(16)}},
  };
  for (const auto& c : cases) {
    run(c.before, c.lines, c.min_users);
    EXPECT_EQ(ens_tc, c.after) << c.what;
  }
}

// 52 concepts; the pair at (p, p + 1) shares R and D, every other concept has
// a resource of its own. `merged`: the pair after the pass.
Store store_with_pair_at(int p, bool merged = false) {
  Store s;
  for (int k = 0; k < 52; ++k) s.push_back(make_concept({3, 4}, {20 + k}, {100 + k}, {7}));
  s[p] = make_concept({1, 2}, {10}, {5}, {7});
  s[p + 1] = make_concept({1, 2}, {11}, {5}, {7});
  if (merged) {
    s[p].ts = {10, 11};
    s.erase(s.begin() + p + 1);
  }
  return s;
}

TEST_F(TagPassTest, TailWindowIsThreeBelow200LinesAndFiftyFrom200) {
  run(store_with_pair_at(2), 199);
  EXPECT_EQ(ens_tc, store_with_pair_at(2, true)) << "window 3: position 2 has 49 after it";
  run(store_with_pair_at(2), 200);
  EXPECT_EQ(ens_tc, store_with_pair_at(2)) << "window 50: position 2 is not processed";
  run(store_with_pair_at(1), 200);
  EXPECT_EQ(ens_tc, store_with_pair_at(1, true)) << "window 50: position 1 has 50 after it";
}

}  // namespace
