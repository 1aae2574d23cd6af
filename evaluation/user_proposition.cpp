#include "evaluation/user_proposition.h"

#include "evaluation/timed_serving.h"
#include "store/globals.h"
#include "store/set_primitives.h"

void propose_users(int user, int d, const std::vector<TriConcept>& reported,
                   std::vector<int>& proposal) {
  proposal.clear();
  for (const TriConcept& c : reported) {
    if (c.ds.empty() || c.ds.front() != d) continue;
    for (const int v : c.us) {
      if (v != user && !containsStandard(proposal, v)) proposal.push_back(v);
    }
  }
}

std::vector<int> propose_users(int user, int d, const std::vector<TriConcept>& reported) {
  std::vector<int> proposal;
  propose_users(user, d, reported, proposal);
  return proposal;
}

void recomm_generale_users(std::FILE* users_only) {
  // The overload set needs a cast to pick the one the loop calls.
  const PerUserComputation compute = propose_users;
  const ServingTotals totals = time_each_user(users_only, ens_tc2, compute);
  const float average = average_seconds(totals);
  std::printf("\n User Proposition: Average Time = %f", static_cast<double>(average));
}
