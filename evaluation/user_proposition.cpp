#include "evaluation/user_proposition.h"

#include "driver/progress.h"
#include "evaluation/timed_serving.h"
#include "store/globals.h"

void propose_users(int user, int d, const ReportedIndex& index, EpochSet& seen,
                   std::vector<int>& proposal) {
  proposal.clear();
  seen.clear();
  const std::vector<TriConcept>& reported = index.reported();
  for (const std::uint32_t c : index.beginning_with(d)) {
    const std::vector<int>& users = reported[c].us;
    for (std::size_t k = 0; k < users.size(); ++k) {
      if (users[k] != user && seen.insert(index.user_number(c, k))) proposal.push_back(users[k]);
    }
  }
}

std::vector<int> propose_users(int user, int d, const std::vector<TriConcept>& reported) {
  std::vector<int> proposal;
  const ReportedIndex index(reported);
  EpochSet seen(index.numbered());
  propose_users(user, d, index, seen, proposal);
  return proposal;
}

void recomm_generale_users(std::FILE* users_only) {
  const ReportedIndex index(ens_tc2);
  EpochSet seen(index.numbered());
  progress_begin("user proposition (user lines read)", 0);
  const ServingTotals totals = time_each_user(
      users_only,
      [&](int user, int d, std::vector<int>& list) { propose_users(user, d, index, seen, list); });
  progress_end();
  const float average = average_seconds(totals);
  std::printf("\n User Proposition: Average Time = %f", static_cast<double>(average));
}
