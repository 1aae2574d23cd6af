#include "evaluation/user_proposition.h"

#include "evaluation/timed_serving.h"
#include "store/globals.h"
#include "store/progress.h"

void propose_users(int user, int d, ReportedIndex& index, std::vector<int>& proposal) {
  proposal.clear();
  index.start_list();
  const std::vector<TriConcept>& reported = index.reported();
  for (const std::uint32_t c : index.beginning_with(d)) {
    const TriConcept& concept_ = reported[c];
    for (std::size_t k = 0; k < concept_.us.size(); ++k) {
      if (concept_.us[k] != user && index.first_user(c, k)) proposal.push_back(concept_.us[k]);
    }
  }
}

std::vector<int> propose_users(int user, int d, const std::vector<TriConcept>& reported) {
  std::vector<int> proposal;
  ReportedIndex index(reported);
  propose_users(user, d, index, proposal);
  return proposal;
}

void recomm_generale_users(std::FILE* users_only) {
  // The overload set needs a cast to pick the one the loop calls.
  const PerUserComputation compute = propose_users;
  ReportedIndex index(ens_tc2);
  progress_begin("user proposition (user lines read)", 0);
  const ServingTotals totals = time_each_user(users_only, index, compute);
  progress_end();
  const float average = average_seconds(totals);
  std::printf("\n User Proposition: Average Time = %f", static_cast<double>(average));
}
