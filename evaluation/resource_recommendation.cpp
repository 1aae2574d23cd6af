#include "evaluation/resource_recommendation.h"

#include "evaluation/timed_serving.h"
#include "store/globals.h"
#include "store/set_primitives.h"

void recommend_resources(int user, int d, const std::vector<TriConcept>& reported,
                         std::vector<int>& recommendation) {
  recommendation.clear();
  for (const TriConcept& c : reported) {
    if (c.ds.empty() || c.ds.front() != d) continue;
    if (containsStandard(c.us, user)) continue;
    for (const int r : c.rs) {
      if (!containsStandard(recommendation, r)) recommendation.push_back(r);
    }
  }
}

std::vector<int> recommend_resources(int user, int d, const std::vector<TriConcept>& reported) {
  std::vector<int> recommendation;
  recommend_resources(user, d, reported, recommendation);
  return recommendation;
}

void recomm_generale(std::FILE* users_only) {
  // The overload set needs a cast to pick the one the loop calls.
  const PerUserComputation compute = recommend_resources;
  const ServingTotals totals = time_each_user(users_only, ens_tc2, compute);
  const float average = average_seconds(totals);
  std::printf("\n Number of Unique Users : %d", totals.served);
  std::printf("\n Resource Recommendations: Average Time = %f", static_cast<double>(average));
}
