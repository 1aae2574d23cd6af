// The D-set extension pass on hand-built stores.

#include <gtest/gtest.h>

#include <vector>

#include "mining/extension_pass.h"
#include "test_support.h"

namespace {

using Store = std::vector<TriConcept>;

class DPassTest : public StoreTest {
 protected:
  void run(const Store& store, int u, int t, int r, int d = 1) {
    ens_tc = store;
    minsupp_u = u;
    minsupp_t = t;
    minsupp_r = r;
    minsupp_d = d;
    find_ds();
    EXPECT_TRUE(indices_ds.empty());
  }
};

Store worked_example_store() {
  return {make_concept({1, 2}, {10, 11}, {100, 101}, {7}),
          make_concept({1, 2}, {10, 11}, {100, 101}, {8}),
          make_concept({1, 2, 3}, {10, 11}, {100, 101, 102}, {9}),
          make_concept({2, 3, 4}, {10, 11, 12}, {101, 102, 103}, {5}),
          make_concept({2, 3, 5}, {10, 11}, {101, 102}, {5})};
}

// minsupp_d plays no part in this pass.
TEST_F(DPassTest, WorkedExampleWhateverMinsuppD) {
  const Store expected = {
      make_concept({1, 2}, {10, 11}, {100, 101}, {7, 8, 9}),
      make_concept({1, 2, 3}, {10, 11}, {100, 101, 102}, {9}),
      make_concept({2, 3, 4}, {10, 11, 12}, {101, 102, 103}, {5}),
      make_concept({2, 3, 5}, {10, 11}, {101, 102}, {5}),
      make_concept({2, 3}, {10, 11}, {101, 102}, {9, 5}),
  };
  for (const int d : {1, 2, 5}) {
    run(worked_example_store(), 2, 2, 2, d);
    EXPECT_EQ(ens_tc, expected) << "minsupp_d = " << d;
  }
}

TEST_F(DPassTest, EqualNeighboursCollapseIntoTheFirst) {
  run({make_concept({1, 2}, {10, 11}, {5, 6}, {1}), make_concept({1, 2}, {10, 11}, {5, 6}, {2}),
       make_concept({1, 2}, {10, 11}, {5, 6}, {3})},
      2, 2, 2);
  EXPECT_EQ(ens_tc, Store{make_concept({1, 2}, {10, 11}, {5, 6}, {1, 2, 3})});
}

// Unlike the resource pass, the third list counts: a neighbour with more
// resources gives its D values but stays.
TEST_F(DPassTest, AbsorbedNeighbourWithMoreResourcesStays) {
  const TriConcept longer = make_concept({1, 2}, {10, 11}, {5, 6, 7}, {2, 3});
  run({make_concept({1, 2}, {10, 11}, {5, 6}, {1}), longer}, 2, 2, 2);
  EXPECT_EQ(ens_tc, (Store{make_concept({1, 2}, {10, 11}, {5, 6}, {1, 2, 3}), longer}));
}

TEST_F(DPassTest, KnownFirstDValueGivesACandidateInstead) {
  const TriConcept current = make_concept({1, 2}, {10, 11}, {5, 6}, {1});
  const TriConcept neighbour = make_concept({1, 2, 3}, {10, 11}, {5, 6}, {1, 2});
  run({current, neighbour}, 2, 2, 2);
  const Store expected = {current, neighbour, make_concept({1, 2}, {10, 11}, {5, 6}, {1, 2})};
  EXPECT_EQ(ens_tc, expected);
}

// A concept below minsupp_r resources takes part in nothing, neither as
// current concept nor as neighbour (R {5} would otherwise give its D value to
// R {5 5}, whose resources all occur in it).
TEST_F(DPassTest, ConceptsBelowTheResourceThresholdAreSkipped) {
  const Store store = {make_concept({1, 2}, {10, 11}, {5}, {9}),
                       make_concept({1, 2}, {10, 11}, {5, 5}, {1}),
                       make_concept({1, 2}, {10, 11}, {5}, {2}),
                       make_concept({1, 2}, {10, 11}, {5, 5}, {3})};
  run(store, 2, 2, 2);
  EXPECT_EQ(ens_tc, (Store{store[0], make_concept({1, 2}, {10, 11}, {5, 5}, {1, 3}), store[2]}));

  // With minsupp_r = 1 all take part; only neighbours with as many
  // resources as the current concept leave.
  run(store, 2, 2, 1);
  EXPECT_EQ(ens_tc, (Store{make_concept({1, 2}, {10, 11}, {5}, {9, 1, 2, 3}),
                           make_concept({1, 2}, {10, 11}, {5, 5}, {1, 3})}));
}

TEST_F(DPassTest, CommonResourcesOfExactlyTheThresholdLengthPass) {
  const Store store = {make_concept({1, 2, 3}, {10, 11}, {5, 6, 7}, {1}),
                       make_concept({2, 3, 4}, {10, 11}, {5, 6, 8}, {2})};
  Store with_new = store;
  with_new.push_back(make_concept({2, 3}, {10, 11}, {5, 6}, {1, 2}));
  run(store, 2, 2, 2);
  EXPECT_EQ(ens_tc, with_new);
  run(store, 2, 2, 3);
  EXPECT_EQ(ens_tc, store);
}

}  // namespace
