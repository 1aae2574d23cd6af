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

TEST_F(TagPassTest, WorkedExample) {
  run({c5({1, 2, 3}, 10), c5({1, 2, 3}, 11), c5({2, 3, 4}, 12), c5({2, 3, 6}, 14),
       c5({1, 2, 3, 4}, 13), c6(15), c6(16), c6(17)},
      22);
  const Store expected = {
      make_concept({1, 2, 3}, {10, 11, 13}, {5}, {7}),
      make_concept({2, 3, 4}, {12, 13}, {5}, {7}),
      make_concept({2, 3, 6}, {14}, {5}, {7}),
      make_concept({1, 2, 3, 4}, {13}, {5}, {7}),
      c6(15), c6(16), c6(17),
      make_concept({2, 3}, {10, 11, 12, 13, 14}, {5}, {7}),
  };
  EXPECT_EQ(ens_tc, expected);
}

TEST_F(TagPassTest, StopsWhenNoConceptIsLeftAtTheCurrentPosition) {
  run({c5({1, 2}, 10), c5({1, 2}, 11), c5({1, 2}, 12), c5({1, 2}, 13), c5({1, 2}, 14)}, 10);
  EXPECT_EQ(ens_tc, Store{make_concept({1, 2}, {10, 11, 12, 13, 14}, {5}, {7})});
}

// The concept at the current position is erased at the start of the
// iteration; its successor becomes current. The bound is tested before that
// erasure: at i = 2 the store holds 6 concepts (2 + 3 < 6) and only 5 after
// it, yet the R 6 run is still processed.
TEST_F(TagPassTest, ErasedCurrentConceptIsReplacedByItsSuccessor) {
  run({c5({1, 2}, 10), c5({1, 2}, 11), c5({1, 2, 3}, 12), c5({1, 2, 3}, 13), c6(15), c6(16),
       c6(17)},
      16);
  const Store expected = {
      make_concept({1, 2}, {10, 11, 12, 13}, {5}, {7}),
      make_concept({1, 2, 3}, {12, 13}, {5}, {7}),
      make_concept({8, 9}, {15, 16, 17}, {6}, {7}),
  };
  EXPECT_EQ(ens_tc, expected);
}

// 52 concepts; the pair at (p, p + 1) shares R and D, every other concept has
// a resource of its own.
Store store_with_pair_at(int p) {
  Store s;
  for (int k = 0; k < 52; ++k) s.push_back(make_concept({3, 4}, {20 + k}, {100 + k}, {7}));
  s[p] = make_concept({1, 2}, {10}, {5}, {7});
  s[p + 1] = make_concept({1, 2}, {11}, {5}, {7});
  return s;
}

TEST_F(TagPassTest, TailWindowIsThreeBelow200LinesAndFiftyFrom200) {
  Store merged = store_with_pair_at(2);
  merged[2].ts = {10, 11};
  merged.erase(merged.begin() + 3);

  run(store_with_pair_at(2), 199);
  EXPECT_EQ(ens_tc, merged) << "window 3: position 2 has 49 concepts after it";

  run(store_with_pair_at(2), 200);
  EXPECT_EQ(ens_tc, store_with_pair_at(2)) << "window 50: position 2 is not processed";

  Store merged_at_1 = store_with_pair_at(1);
  merged_at_1[1].ts = {10, 11};
  merged_at_1.erase(merged_at_1.begin() + 2);
  run(store_with_pair_at(1), 200);
  EXPECT_EQ(ens_tc, merged_at_1) << "window 50: position 1 has 50 concepts after it";
}

// The merge phase: the new concept U {2 3} takes the tags of the stored
// concept with the same users (which has grown backwards in the meantime),
// and that concept leaves the store before the new one is appended.
TEST_F(TagPassTest, MergePhaseErasesStoredConceptWithTheNewConceptsUsers) {
  run({c5({1, 2, 3}, 10), c5({2, 3, 4}, 12), c5({2, 3}, 18), c6(15), c6(16), c6(17)}, 14);
  const Store expected = {c5({1, 2, 3}, 10), c5({2, 3, 4}, 12), c6(15), c6(16), c6(17),
                          make_concept({2, 3}, {10, 12, 18}, {5}, {7})};
  EXPECT_EQ(ens_tc, expected);
}

// Two new concepts: the erasure made for the first shifts the store before
// the second is merged, and neither absorbs from the other.
TEST_F(TagPassTest, MergePhaseErasesBetweenNewConcepts) {
  run({c5({1, 2, 3}, 10), c5({2, 3, 4}, 12), c5({1, 3, 5}, 13), c5({1, 3}, 19), c5({2, 3}, 18),
       c6(15), c6(16), c6(17)},
      20);
  // i = 0: {1 2 3} x {2 3 4} gives M1 = {2 3} T{10 12}; x {1 3 5} gives
  // M2 = {1 3} T{10 13}. Other incomparable pairs share one user only.
  // {1 3} and {2 3} absorb backwards from their containers. M1 then erases
  // {2 3} at position 4, and M2 erases {1 3}, still at position 3.
  const Store expected = {c5({1, 2, 3}, 10), c5({2, 3, 4}, 12), c5({1, 3, 5}, 13),
                          c6(15), c6(16), c6(17),
                          make_concept({2, 3}, {10, 12, 18}, {5}, {7}),
                          make_concept({1, 3}, {10, 13, 19}, {5}, {7})};
  EXPECT_EQ(ens_tc, expected);
}

TEST_F(TagPassTest, ScansStopAtTheFirstNeighbourWithAnotherResourceOrDValue) {
  const Store store = {c5({1, 2}, 10), make_concept({1, 2}, {11}, {6}, {7}), c5({1, 2}, 12),
                       make_concept({1, 2}, {13}, {5}, {8}), c5({1, 2}, 14), c6(15)};
  run(store, 12);
  EXPECT_EQ(ens_tc, store);
}

TEST_F(TagPassTest, SmallerForwardNeighbourGainsTheTagsLaterByTheBackwardScan) {
  run({c5({1, 2, 3}, 10), c5({1, 2}, 11), c6(15), c6(16), c6(17)}, 13);
  const Store expected = {c5({1, 2, 3}, 10), make_concept({1, 2}, {11, 10}, {5}, {7}), c6(15),
                          c6(16), c6(17)};
  EXPECT_EQ(ens_tc, expected);
}

TEST_F(TagPassTest, NewConceptNeedsMinsuppUCommonUsers) {
  const Store store = {c5({1, 2, 3}, 10), c5({2, 3, 4}, 11), c6(15), c6(16)};
  Store with_new = store;
  with_new.push_back(make_concept({2, 3}, {10, 11}, {5}, {7}));

  run(store, 10, 2);
  EXPECT_EQ(ens_tc, with_new) << "two common users reach minsupp_u = 2";
  run(store, 10, 3);
  EXPECT_EQ(ens_tc, store) << "two common users miss minsupp_u = 3";

  Store single = {c5({1, 2}, 10), c5({2, 3}, 11), c6(15), c6(16)};
  run(single, 8, 1);
  single.push_back(make_concept({2}, {10, 11}, {5}, {7}));
  EXPECT_EQ(ens_tc, single);
}

// Lengths count repetitions: U {1 1 2} and U {1 2 3} have the same length, so
// the neighbour is erased once its tag has been absorbed.
TEST_F(TagPassTest, RepeatedUserMakesALongerNeighbourLookEqual) {
  run({c5({1, 1, 2}, 10), c5({1, 2, 3}, 11), c6(15), c6(16)}, 10);
  const Store expected = {make_concept({1, 1, 2}, {10, 11}, {5}, {7}), c6(15), c6(16)};
  EXPECT_EQ(ens_tc, expected);
}

// Outside what the loader produces: a concept without a resource or a D value
// is nobody's neighbour, and nothing reads past the end of its lists.
TEST_F(TagPassTest, ConceptWithoutResourceOrDValueMatchesNothing) {
  const TriConcept bare = make_concept({1, 2}, {10}, {}, {});
  run({bare, c5({1, 2}, 11), c5({1, 2}, 12), c6(15), c6(16)}, 10);
  const Store expected = {bare, make_concept({1, 2}, {11, 12}, {5}, {7}), c6(15), c6(16)};
  EXPECT_EQ(ens_tc, expected);
}

}  // namespace
