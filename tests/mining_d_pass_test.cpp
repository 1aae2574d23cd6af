// The D-set extension pass on hand-built stores: the store and the
// thresholds U, T, R, D before the pass, the whole store after it.

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "mining/extension_pass.h"
#include "test_support.h"

namespace {

using Store = std::vector<TriConcept>;

class DPassTest : public StoreTest {};

// U {1 2} T {10 11} with the given resources and D values.
TriConcept p(std::vector<int> rs, std::vector<int> ds) {
  return make_concept({1, 2}, {10, 11}, std::move(rs), std::move(ds));
}

TEST_F(DPassTest, HandBuiltStores) {
  const Store worked = {p({100, 101}, {7}), p({100, 101}, {8}),
                        make_concept({1, 2, 3}, {10, 11}, {100, 101, 102}, {9}),
                        make_concept({2, 3, 4}, {10, 11, 12}, {101, 102, 103}, {5}),
                        make_concept({2, 3, 5}, {10, 11}, {101, 102}, {5})};
  const Store worked_after = {p({100, 101}, {7, 8, 9}), worked[2], worked[3], worked[4],
                              make_concept({2, 3}, {10, 11}, {101, 102}, {9, 5})};
  // Below minsupp_r = 2, R {5} would give its D value to R {5 5}.
  const Store gate = {p({5}, {9}), p({5, 5}, {1}), p({5}, {2}), p({5, 5}, {3})};
  // Common U {2 3}, T {10 11}, R {5 6}: exactly two resources.
  const Store two = {make_concept({1, 2, 3}, {10, 11}, {5, 6, 7}, {1}),
                     make_concept({2, 3, 4}, {10, 11}, {5, 6, 8}, {2})};
  const TriConcept known = make_concept({1, 2, 3}, {10, 11}, {5, 6}, {1, 2});
  const struct {
    const char* what;
    Store before;
    int u, t, r, d;
    Store after;
  } cases[] = {
      // minsupp_d plays no part in this pass.
      {"worked example, minsupp_d = 1", worked, 2, 2, 2, 1, worked_after},
      {"worked example, minsupp_d = 2", worked, 2, 2, 2, 2, worked_after},
      {"worked example, minsupp_d = 5", worked, 2, 2, 2, 5, worked_after},
      {"equal neighbours collapse into the first",
       {p({5, 6}, {1}), p({5, 6}, {2}), p({5, 6}, {3})},
       2,
       2,
       2,
       1,
       {p({5, 6}, {1, 2, 3})}},
      // Unlike the resource pass, the third list counts.
      {"an absorbed neighbour with more resources gives its D values but stays",
       {p({5, 6}, {1}), p({5, 6, 7}, {2, 3})},
       2,
       2,
       2,
       1,
       {p({5, 6}, {1, 2, 3}), p({5, 6, 7}, {2, 3})}},
      {"a known first D value gives a candidate instead",
       {p({5, 6}, {1}), known},
       2,
       2,
       2,
       1,
       {p({5, 6}, {1}), known, p({5, 6}, {1, 2})}},
      {"concepts below the resource threshold take part in nothing",
       gate,
       2,
       2,
       2,
       1,
       {gate[0], p({5, 5}, {1, 3}), gate[2]}},
      // All take part; only neighbours with as many resources leave.
      {"the same store with minsupp_r = 1",
       gate,
       2,
       2,
       1,
       1,
       {p({5}, {9, 1, 2, 3}), p({5, 5}, {1, 3})}},
      {"common resources of exactly the threshold length pass",
       two,
       2,
       2,
       2,
       1,
       {two[0], two[1], make_concept({2, 3}, {10, 11}, {5, 6}, {1, 2})}},
      {"two common resources miss minsupp_r = 3", two, 2, 2, 3, 1, two},
  };
  for (const auto& c : cases) {
    ens_tc = c.before;
    minsupp_u = c.u;
    minsupp_t = c.t;
    minsupp_r = c.r;
    minsupp_d = c.d;
    find_ds();
    EXPECT_TRUE(indices_ds.empty()) << c.what;
    EXPECT_EQ(ens_tc, c.after) << c.what;
  }
}

}  // namespace
