#include "store/set_primitives.h"

#include "test_support.h"

namespace {

using V = std::vector<int>;

TEST(SetPrimitives, Membership) {
  EXPECT_FALSE(containsStandard({}, 5));
  EXPECT_TRUE(containsStandard({3, 5, 5}, 5));
  EXPECT_FALSE(containsStandard({3, 5}, 4));

  int p = -7;
  EXPECT_TRUE(containsAvecPos({4, 7, 7}, 7, p));
  EXPECT_EQ(p, 1);
  EXPECT_FALSE(containsAvecPos({4}, 9, p));
  EXPECT_EQ(p, 1) << "a miss leaves the position untouched";
}

TEST(SetPrimitives, InclusionIgnoresOrderSizeAndRepetition) {
  EXPECT_TRUE(inclus_egalStandard({}, {}));
  EXPECT_TRUE(inclus_egalStandard({}, {1}));
  EXPECT_TRUE(inclus_egalStandard({2, 1}, {1, 2, 3}));
  EXPECT_FALSE(inclus_egalStandard({1, 4}, {1, 2, 3}));
  EXPECT_FALSE(inclus_egalStandard({1}, {}));
  EXPECT_TRUE(inclus_egalStandard({1, 1}, {1}));
  EXPECT_TRUE(inclus_egalStandard({1}, {1, 1}));
}

TEST(SetPrimitives, CommonElementsAppendInFirstSetOrder) {
  V out{9};
  elements_en_commun({3, 1, 2, 1}, {1, 3}, out);
  EXPECT_EQ(out, (V{9, 3, 1, 1}));

  V once;
  elements_en_commun({4}, {4, 4}, once);
  EXPECT_EQ(once, (V{4}));

  // Passing the output as an input behaves as if the inputs were copies.
  V self{1, 2};
  elements_en_commun(self, {2}, self);
  EXPECT_EQ(self, (V{1, 2, 2}));
}

class Cleaning : public StoreTest {
 protected:
  void SetUp() override {
    StoreTest::SetUp();
    for (int id = 0; id < 5; ++id) ens_tc.push_back(make_concept({id}, {}, {}, {}));
  }
  V remaining_ids() const {
    V ids;
    for (const auto& c : ens_tc) ids.push_back(c.us.at(0));
    return ids;
  }
};

TEST_F(Cleaning, ErasesListedPositionsKeepingOrder) {
  nettoyage_de_la_baseStandard({1, 3});
  EXPECT_EQ(remaining_ids(), (V{0, 2, 4}));
  nettoyage_de_la_baseStandard({});
  EXPECT_EQ(remaining_ids(), (V{0, 2, 4}));
  nettoyage_de_la_baseStandard({0, 1, 2});
  EXPECT_TRUE(ens_tc.empty());
}

TEST_F(Cleaning, ListOutsideContractFollowsShiftRuleWithoutLeavingStore) {
  // Descending pair: erase 3, then (1 - 1) = 0.
  nettoyage_de_la_baseStandard({3, 1});
  EXPECT_EQ(remaining_ids(), (V{1, 2, 4}));
  // Positions past the end are ignored rather than erasing outside the store.
  nettoyage_de_la_baseStandard({7, 2});
  EXPECT_EQ(remaining_ids(), (V{1, 4}));
}

TEST_F(Cleaning, RecordsAreIndependentValues) {
  TriConcept copy = ens_tc[2];
  copy.us.push_back(99);
  EXPECT_EQ(ens_tc[2].us, (V{2}));
  ens_tc[0] = make_concept({7}, {8}, {9}, {10});
  EXPECT_EQ(ens_tc[0], make_concept({7}, {8}, {9}, {10}));
  TriConcept empty;
  ens_tc.push_back(empty);
  EXPECT_EQ(ens_tc.back(), TriConcept{});
}

}  // namespace
