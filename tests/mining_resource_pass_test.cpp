// The resource-set extension pass on hand-built stores.

#include <gtest/gtest.h>

#include <vector>

#include "mining/extension_pass.h"
#include "test_support.h"

namespace {

using Store = std::vector<TriConcept>;

class ResourcePassTest : public StoreTest {
 protected:
  void run(const Store& store, int u, int t, int d) {
    ens_tc = store;
    minsupp_u = u;
    minsupp_t = t;
    minsupp_d = d;
    minsupp_r = 99;  // plays no part in this pass
    find_rs();
    EXPECT_TRUE(indices_rs.empty());
  }
};

TEST_F(ResourcePassTest, WorkedExample) {
  run({make_concept({1, 2}, {10, 11}, {100}, {7}), make_concept({1, 2}, {10, 11}, {101}, {7}),
       make_concept({1, 2, 3}, {10, 11, 12}, {102}, {7, 8}),
       make_concept({2, 3}, {11, 12}, {103}, {8}),
       make_concept({2, 3, 4}, {11, 12, 13}, {103}, {8, 9})},
      2, 2, 1);
  const Store expected = {
      make_concept({1, 2}, {10, 11}, {100, 101, 102}, {7}),
      make_concept({1, 2, 3}, {10, 11, 12}, {102}, {7, 8}),
      make_concept({2, 3}, {11, 12}, {103}, {8}),
      make_concept({2, 3, 4}, {11, 12, 13}, {103}, {8, 9}),
      make_concept({2, 3}, {11, 12}, {102, 103}, {8}),
  };
  EXPECT_EQ(ens_tc, expected);
}

TEST_F(ResourcePassTest, EqualNeighboursCollapseIntoTheFirst) {
  run({make_concept({1, 2}, {10, 11}, {1}, {7}), make_concept({1, 2}, {10, 11}, {2}, {7}),
       make_concept({1, 2}, {10, 11}, {3}, {7})},
      2, 2, 1);
  EXPECT_EQ(ens_tc, Store{make_concept({1, 2}, {10, 11}, {1, 2, 3}, {7})});
}

// Only the neighbour's first resource is tested; its missing resources are
// appended in its own order. A longer D set does not keep it in the store.
TEST_F(ResourcePassTest, AbsorbedNeighbourGivesItsMissingResourcesAndLeaves) {
  run({make_concept({1, 2}, {10, 11}, {1, 2}, {7}), make_concept({1, 2}, {10, 11}, {4, 2, 3}, {7, 8})},
      2, 2, 1);
  EXPECT_EQ(ens_tc, Store{make_concept({1, 2}, {10, 11}, {1, 2, 4, 3}, {7})});
}

TEST_F(ResourcePassTest, KnownFirstResourceGivesACandidateInstead) {
  const TriConcept current = make_concept({1, 2}, {10, 11}, {100}, {7});
  const TriConcept neighbour = make_concept({1, 2}, {10, 11, 12}, {100, 101}, {7});
  run({current, neighbour}, 2, 2, 1);
  const Store expected = {current, neighbour, make_concept({1, 2}, {10, 11}, {100, 101}, {7})};
  EXPECT_EQ(ens_tc, expected);
}

// A concept below minsupp_t tags takes part in nothing, neither as current
// concept nor as neighbour (U {1 2} T {10} would otherwise give its resource
// to T {10 10}, whose tags all occur in it).
TEST_F(ResourcePassTest, ConceptsBelowTheTagThresholdAreSkipped) {
  const Store store = {make_concept({1, 2}, {10, 10}, {100}, {7}),
                       make_concept({1, 2}, {10}, {101}, {7}),
                       make_concept({1, 2}, {10, 10}, {102}, {8})};
  run(store, 2, 2, 1);
  EXPECT_EQ(ens_tc, store);
  run(store, 2, 1, 1);
  const Store expected = {make_concept({1, 2}, {10, 10}, {100, 101}, {7}),
                          make_concept({1, 2}, {10}, {101}, {7}),
                          make_concept({1, 2}, {10, 10}, {102}, {8})};
  EXPECT_EQ(ens_tc, expected);
}

TEST_F(ResourcePassTest, CommonListsOfExactlyTheThresholdLengthPass) {
  const Store store = {make_concept({1, 2, 3}, {10, 11, 12}, {100}, {7, 8}),
                       make_concept({2, 3, 4}, {10, 11, 13}, {101}, {7, 8, 9})};
  Store with_new = store;
  with_new.push_back(make_concept({2, 3}, {10, 11}, {100, 101}, {7, 8}));

  run(store, 2, 2, 2);
  EXPECT_EQ(ens_tc, with_new);
  run(store, 3, 2, 2);
  EXPECT_EQ(ens_tc, store) << "two common users";
  run(store, 2, 3, 2);
  EXPECT_EQ(ens_tc, store) << "two common tags";
  run(store, 2, 2, 3);
  EXPECT_EQ(ens_tc, store) << "two common D values";
}

// A candidate covered by an accepted one is dropped; one that covers an
// accepted candidate is accepted beside it.
TEST_F(ResourcePassTest, CandidatesAreTestedAgainstEarlierAcceptedOnes) {
  const Store store = {make_concept({1, 2, 3}, {10, 11}, {100}, {7, 8}),
                       make_concept({2, 3, 8}, {10, 11}, {101}, {7}),
                       make_concept({1, 2, 3, 4}, {10, 11}, {101, 102}, {7, 9})};
  run(store, 2, 2, 1);
  Store expected = store;
  expected.push_back(make_concept({2, 3}, {10, 11}, {100, 101}, {7}));
  expected.push_back(make_concept({1, 2, 3}, {10, 11}, {100, 101, 102}, {7}));
  EXPECT_EQ(ens_tc, expected);
}

TEST_F(ResourcePassTest, RepeatedUserMakesALongerNeighbourLookEqual) {
  run({make_concept({1, 1}, {10, 11}, {100}, {7}), make_concept({1, 2}, {10, 11}, {101}, {7})},
      1, 2, 1);
  EXPECT_EQ(ens_tc, Store{make_concept({1, 1}, {10, 11}, {100, 101}, {7})});
}

// Outside what the earlier passes produce: a neighbour without resources
// brings nothing to absorb, so it is treated as incomparable.
TEST_F(ResourcePassTest, NeighbourWithoutResourcesIsNotAbsorbed) {
  const TriConcept current = make_concept({1, 2}, {10, 11}, {100}, {7});
  const TriConcept bare = make_concept({1, 2}, {10, 11}, {}, {7});
  run({current, bare}, 2, 2, 1);
  EXPECT_EQ(ens_tc, (Store{current, bare, current}));
}

}  // namespace
