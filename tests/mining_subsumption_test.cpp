// The three subsumption tests of the mining passes.

#include <gtest/gtest.h>

#include <vector>

#include "mining/subsumption.h"
#include "test_support.h"

namespace {

const auto tc = &make_concept;
using List = std::vector<TriConcept>;
using Test3 = void (*)(const TriConcept&, const List&, bool&);

bool counts(Test3 test, const TriConcept& candidate, const List& list) {
  bool flag = false;
  test(candidate, list, flag);
  return flag;
}

TEST(MiningSubsumption, EveryTestLeavesTheFlagAloneWhenNothingCounts) {
  const TriConcept c = tc({1, 2}, {10}, {5}, {7});
  const List unrelated = {tc({8}, {80}, {50}, {70})};
  for (const Test3 test : {&test_inclusion, &test_inclusionRS, &test_inclusionAVECSIZE}) {
    EXPECT_FALSE(counts(test, c, {}));
    EXPECT_FALSE(counts(test, c, unrelated));
    bool already_set = true;
    test(c, unrelated, already_set);
    EXPECT_TRUE(already_set) << "the flag is never cleared by the test";
  }
}

TEST(MiningSubsumption, TagPassTestComparesUsersResourceAndDOnly) {
  const TriConcept c = tc({2, 3}, {10, 11, 14}, {5}, {7});
  // Other tags do not matter; users may strictly contain the candidate's.
  EXPECT_TRUE(counts(test_inclusion, c, {tc({2, 3}, {99}, {5}, {7})}));
  EXPECT_TRUE(counts(test_inclusion, c, {tc({1, 2, 3}, {10}, {5}, {7})}));
  // Order and repetitions inside the sets play no part.
  EXPECT_TRUE(counts(test_inclusion, tc({3, 2}, {}, {5}, {7}), {tc({2, 3, 4}, {}, {5}, {7})}));
  EXPECT_TRUE(counts(test_inclusion, tc({2, 2}, {}, {5}, {7}), {tc({2}, {}, {5}, {7})}));
  // Another D value, another resource, or fewer users: not covered.
  EXPECT_FALSE(counts(test_inclusion, c, {tc({2, 3}, {10}, {5}, {8})}));
  EXPECT_FALSE(counts(test_inclusion, c, {tc({2, 3}, {10}, {6}, {7})}));
  EXPECT_FALSE(counts(test_inclusion, c, {tc({2}, {10, 11, 14}, {5}, {7})}));
  // Any covering member in the list is enough, wherever it stands.
  EXPECT_TRUE(
      counts(test_inclusion, c,
             {tc({2}, {}, {5}, {7}), tc({2, 3}, {}, {5}, {7}), tc({2, 3, 4}, {}, {5}, {7})}));
}

TEST(MiningSubsumption, ResourcePassTestNeedsContainmentInAllFourSets) {
  const TriConcept c = tc({2, 3}, {10, 11}, {102, 103}, {8, 9});
  EXPECT_TRUE(counts(test_inclusionRS, c, {c}));
  EXPECT_TRUE(counts(test_inclusionRS, c, {tc({2, 3}, {10, 11}, {101, 102, 103}, {8, 9})}));
  EXPECT_TRUE(counts(test_inclusionRS, tc({2, 2}, {11, 10}, {103, 102}, {9}), {c}));
  // Missing one resource, one D value, one tag or one user: not covered.
  EXPECT_FALSE(counts(test_inclusionRS, c, {tc({2, 3}, {10, 11}, {102}, {8, 9})}));
  EXPECT_FALSE(counts(test_inclusionRS, c, {tc({2, 3}, {10, 11}, {102, 103}, {9})}));
  EXPECT_FALSE(counts(test_inclusionRS, c, {tc({2, 3}, {10}, {102, 103}, {8, 9})}));
  EXPECT_FALSE(counts(test_inclusionRS, c, {tc({3}, {10, 11}, {102, 103}, {8, 9})}));
  // A member that lies within the candidate does not cover it.
  EXPECT_FALSE(counts(test_inclusionRS, c, {tc({2}, {10}, {102}, {9})}));
}

TEST(MiningSubsumption, SizeAwareTestLooksForAnEqualCopyIgnoringD) {
  const TriConcept c = tc({1, 2}, {10, 11}, {5}, {7});
  EXPECT_TRUE(counts(test_inclusionAVECSIZE, c, {tc({2, 1}, {11, 10}, {5}, {8})}));
  // A strictly larger member does not count, a later equal copy still does.
  const TriConcept larger = tc({1, 2, 3}, {10, 11}, {5}, {7});
  EXPECT_FALSE(counts(test_inclusionAVECSIZE, c, {larger}));
  EXPECT_FALSE(counts(test_inclusionAVECSIZE, c, {tc({1, 2}, {10, 11, 12}, {5}, {7})}));
  EXPECT_FALSE(counts(test_inclusionAVECSIZE, c, {tc({1, 2}, {10, 11}, {5, 6}, {7})}));
  EXPECT_TRUE(counts(test_inclusionAVECSIZE, c, {larger, tc({1, 2}, {10, 11}, {5}, {})}));
  // Containment must hold too: equal lengths alone are not enough.
  EXPECT_FALSE(counts(test_inclusionAVECSIZE, c, {tc({1, 3}, {10, 11}, {5}, {7})}));
  EXPECT_TRUE(
      counts(test_inclusionAVECSIZE, tc({1, 1}, {10}, {5}, {7}), {tc({1, 2}, {10}, {5}, {7})}))
      << "lengths count repetitions";
}

}  // namespace
