#include "evaluation/user_proposition.h"

#include "evaluation/timed_serving.h"
#include "store/globals.h"
#include "util/progress.h"

namespace quadmine {

void propose_users(int user, int d, const ReportedIndex& index, EpochSet&,
                   std::vector<int>& proposal) {
  proposal.clear();
  const std::uint32_t g = index.group(d);
  if (g == ReportedIndex::kNoGroup) return;
  for (const int v : index.users_of(g)) {
    if (v != user) proposal.push_back(v);
  }
}

std::vector<int> propose_users(int user, int d, const std::vector<TriConcept>& reported) {
  std::vector<int> proposal;
  const ReportedIndex index(reported, ReportedIndex::Parts::UsersOnly);
  EpochSet seen(index.numbered());
  propose_users(user, d, index, seen, proposal);
  return proposal;
}

void evaluate_user_proposition(const std::vector<TriConcept>& reported, std::FILE* users_only) {
  const ReportedIndex index(reported, ReportedIndex::Parts::UsersOnly);
  EpochSet seen(index.numbered());
  progress_begin("user proposition (user lines read)", 0);
  const ServingTotals totals = time_each_user(
      users_only,
      [&](int user, int d, std::vector<int>& list) { propose_users(user, d, index, seen, list); });
  progress_end();
  const float average = average_seconds(totals);
  std::printf("\n User Proposition: Average Time = %f", static_cast<double>(average));
}

}  // namespace quadmine

void recomm_generale_users(std::FILE* users_only) {
  quadmine::evaluate_user_proposition(ens_tc2, users_only);
}
