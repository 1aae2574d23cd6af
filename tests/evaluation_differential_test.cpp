// The indexed per-user computations against plain scans of the reported
// concepts, with one index reused for many users as the timed loop does.
#include <random>

#include "evaluation/resource_recommendation.h"
#include "evaluation/user_proposition.h"
#include "store/set_primitives.h"
#include "test_support.h"

namespace {

using V = std::vector<int>;

V plain_recommendation(int user, int d, const std::vector<TriConcept>& reported) {
  V list;
  for (const TriConcept& c : reported) {
    if (c.ds.empty() || c.ds[0] != d || containsStandard(c.us, user)) continue;
    for (const int r : c.rs) {
      if (!containsStandard(list, r)) list.push_back(r);
    }
  }
  return list;
}

V plain_proposal(int user, int d, const std::vector<TriConcept>& reported) {
  V list;
  for (const TriConcept& c : reported) {
    if (c.ds.empty() || c.ds[0] != d) continue;
    for (const int v : c.us) {
      if (v != user && !containsStandard(list, v)) list.push_back(v);
    }
  }
  return list;
}

TEST(EvaluationDifferential, IndexedListsEqualPlainScans) {
  std::mt19937 rng(11);
  const auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  for (int round = 0; round < 500; ++round) {
    std::vector<TriConcept> reported(static_cast<std::size_t>(pick(0, 10)));
    for (TriConcept& c : reported) {
      for (std::vector<int>* set : {&c.us, &c.rs, &c.ds}) {
        for (int k = pick(1, 4); k > 0; --k) set->push_back(pick(-2, 5));
      }
    }
    const ReportedIndex index(reported);
    EpochSet seen(index.numbered());
    V list;
    for (int query = 0; query < 30; ++query) {
      const int user = pick(-2, 5), d = pick(-2, 5);
      recommend_resources(user, d, index, seen, list);
      ASSERT_EQ(list, plain_recommendation(user, d, reported)) << "round " << round;
      propose_users(user, d, index, seen, list);
      ASSERT_EQ(list, plain_proposal(user, d, reported)) << "round " << round;
    }
  }
}

}  // namespace
