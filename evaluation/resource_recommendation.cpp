#include "evaluation/resource_recommendation.h"

#include "evaluation/timed_serving.h"
#include "store/globals.h"
#include "store/progress.h"
#include "store/set_primitives.h"

void recommend_resources(int user, int d, ReportedIndex& index,
                         std::vector<int>& recommendation) {
  recommendation.clear();
  index.start_list();
  const std::vector<TriConcept>& reported = index.reported();
  for (const std::uint32_t c : index.beginning_with(d)) {
    const TriConcept& concept_ = reported[c];
    if (containsStandard(concept_.us, user)) continue;
    for (std::size_t k = 0; k < concept_.rs.size(); ++k) {
      if (index.first_resource(c, k)) recommendation.push_back(concept_.rs[k]);
    }
  }
}

std::vector<int> recommend_resources(int user, int d, const std::vector<TriConcept>& reported) {
  std::vector<int> recommendation;
  ReportedIndex index(reported);
  recommend_resources(user, d, index, recommendation);
  return recommendation;
}

void recomm_generale(std::FILE* users_only) {
  // The overload set needs a cast to pick the one the loop calls.
  const PerUserComputation compute = recommend_resources;
  ReportedIndex index(ens_tc2);
  progress_begin("resource recommendation (user lines read)", 0);
  const ServingTotals totals = time_each_user(users_only, index, compute);
  progress_end();
  const float average = average_seconds(totals);
  std::printf("\n Number of Unique Users : %d", totals.served);
  std::printf("\n Resource Recommendations: Average Time = %f", static_cast<double>(average));
}
