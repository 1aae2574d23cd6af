// The resource-set extension pass on hand-built stores: the store and the
// thresholds U, T, D before the pass, the whole store after it.

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "mining/extension_pass.h"
#include "test_support.h"

namespace {

using Store = std::vector<TriConcept>;

class ResourcePassTest : public StoreTest {};

// U {1 2} T {10 11} with the given resources and D values.
TriConcept p(std::vector<int> rs, std::vector<int> ds = {7}) {
  return make_concept({1, 2}, {10, 11}, std::move(rs), std::move(ds));
}

TEST_F(ResourcePassTest, HandBuiltStores) {
  // Below minsupp_t = 2, U {1 2} T {10} would give its resource to T {10 10}.
  const Store gate = {make_concept({1, 2}, {10, 10}, {100}, {7}),
                      make_concept({1, 2}, {10}, {101}, {7}),
                      make_concept({1, 2}, {10, 10}, {102}, {8})};
  // Common U {2 3}, T {10 11}, D {7 8}: exactly two of each.
  const Store two_each = {make_concept({1, 2, 3}, {10, 11, 12}, {100}, {7, 8}),
                          make_concept({2, 3, 4}, {10, 11, 13}, {101}, {7, 8, 9})};
  const Store accepted = {make_concept({1, 2, 3}, {10, 11}, {100}, {7, 8}),
                          make_concept({2, 3, 8}, {10, 11}, {101}, {7}),
                          make_concept({1, 2, 3, 4}, {10, 11}, {101, 102}, {7, 9})};
  const TriConcept known = make_concept({1, 2}, {10, 11, 12}, {100, 101}, {7});
  const struct {
    const char* what;
    Store before;
    int u, t, d;
    Store after;
  } cases[] = {
      {"worked example",
       {p({100}), p({101}), make_concept({1, 2, 3}, {10, 11, 12}, {102}, {7, 8}),
        make_concept({2, 3}, {11, 12}, {103}, {8}),
        make_concept({2, 3, 4}, {11, 12, 13}, {103}, {8, 9})},
       2,
       2,
       1,
       {p({100, 101, 102}), make_concept({1, 2, 3}, {10, 11, 12}, {102}, {7, 8}),
        make_concept({2, 3}, {11, 12}, {103}, {8}),
        make_concept({2, 3, 4}, {11, 12, 13}, {103}, {8, 9}),
        make_concept({2, 3}, {11, 12}, {102, 103}, {8})}},
      {"equal neighbours collapse into the first",
       {p({1}), p({2}), p({3})},
       2,
       2,
       1,
       {p({1, 2, 3})}},
      // Only the first resource is tested; the missing ones come in the
      // neighbour's order; a longer D set does not keep it in the store.
      {"an absorbed neighbour gives its missing resources and leaves",
       {p({1, 2}), p({4, 2, 3}, {7, 8})},
       2,
       2,
       1,
       {p({1, 2, 4, 3})}},
      {"a known first resource gives a candidate instead",
       {p({100}), known},
       2,
       2,
       1,
       {p({100}), known, p({100, 101})}},
      {"concepts below the tag threshold take part in nothing", gate, 2, 2, 1, gate},
      {"the same store with minsupp_t = 1",
       gate,
       2,
       1,
       1,
       {make_concept({1, 2}, {10, 10}, {100, 101}, {7}), gate[1], gate[2]}},
      {"common lists of exactly the threshold lengths pass",
       two_each,
       2,
       2,
       2,
       {two_each[0], two_each[1], make_concept({2, 3}, {10, 11}, {100, 101}, {7, 8})}},
      {"two common users miss minsupp_u = 3", two_each, 3, 2, 2, two_each},
      {"two common tags miss minsupp_t = 3", two_each, 2, 3, 2, two_each},
      {"two common D values miss minsupp_d = 3", two_each, 2, 2, 3, two_each},
      // A candidate covered by an accepted one is dropped; one that covers an
      // accepted candidate is accepted beside it.
      {"candidates are tested against the earlier accepted ones",
       accepted,
       2,
       2,
       1,
       {accepted[0], accepted[1], accepted[2], make_concept({2, 3}, {10, 11}, {100, 101}, {7}),
        make_concept({1, 2, 3}, {10, 11}, {100, 101, 102}, {7})}},
      {"a repeated user makes a longer neighbour look equal",
       {make_concept({1, 1}, {10, 11}, {100}, {7}), p({101})},
       1,
       2,
       1,
       {make_concept({1, 1}, {10, 11}, {100, 101}, {7})}},
      // Outside what the earlier passes produce: nothing to absorb.
      {"a neighbour without resources is treated as incomparable",
       {p({100}), p({})},
       2,
       2,
       1,
       {p({100}), p({}), p({100})}},
  };
  for (const auto& c : cases) {
    ens_tc = c.before;
    minsupp_u = c.u;
    minsupp_t = c.t;
    minsupp_d = c.d;
    minsupp_r = 99;  // plays no part in this pass
    find_rs();
    EXPECT_TRUE(indices_rs.empty()) << c.what;
    EXPECT_EQ(ens_tc, c.after) << c.what;
  }
}

}  // namespace
