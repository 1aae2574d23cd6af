#include "evaluation/resource_recommendation.h"

#include "driver/progress.h"
#include "evaluation/timed_serving.h"
#include "store/globals.h"
#include "store/set_primitives.h"

void recommend_resources(int user, int d, const ReportedIndex& index, EpochSet& seen,
                         std::vector<int>& recommendation) {
  recommendation.clear();
  seen.clear();
  const std::vector<TriConcept>& reported = index.reported();
  for (const std::uint32_t c : index.beginning_with(d)) {
    const TriConcept& candidate = reported[c];
    if (containsStandard(candidate.us, user)) continue;
    for (std::size_t k = 0; k < candidate.rs.size(); ++k) {
      if (seen.insert(index.resource_number(c, k))) recommendation.push_back(candidate.rs[k]);
    }
  }
}

std::vector<int> recommend_resources(int user, int d, const std::vector<TriConcept>& reported) {
  std::vector<int> recommendation;
  const ReportedIndex index(reported);
  EpochSet seen(index.numbered());
  recommend_resources(user, d, index, seen, recommendation);
  return recommendation;
}

void recomm_generale(std::FILE* users_only) {
  const ReportedIndex index(ens_tc2);
  EpochSet seen(index.numbered());
  progress_begin("resource recommendation (user lines read)", 0);
  const ServingTotals totals =
      time_each_user(users_only, [&](int user, int d, std::vector<int>& list) {
        recommend_resources(user, d, index, seen, list);
      });
  progress_end();
  const float average = average_seconds(totals);
  std::printf("\n Number of Unique Users : %d", totals.served);
  std::printf("\n Resource Recommendations: Average Time = %f", static_cast<double>(average));
}
