#include "evaluation/user_proposition.h"

#include "evaluation/recommendation_lists.h"
#include "evaluation/timed_serving.h"
#include "store/globals.h"
#include "util/progress.h"

namespace quadmine {

namespace {

// Calls emit(slot) for each user of group g's proposal for `user`, in order
// (slot: the user's index in index.users_of(g)).
template <typename Emit>
void walk_proposal(int user, std::uint32_t g, const ReportedIndex& index, Emit&& emit) {
  const auto users = index.users_of(g);
  for (std::uint32_t slot = 0; slot < users.size(); ++slot) {
    if (users[slot] != user) emit(slot);
  }
}

}  // namespace

void propose_users(int user, int d, const ReportedIndex& index, EpochSet&,
                   std::vector<int>& proposal) {
  proposal.clear();
  const std::uint32_t g = index.group(d);
  if (g == ReportedIndex::kNoGroup) return;
  const auto users = index.users_of(g);
  walk_proposal(user, g, index, [&](std::uint32_t slot) { proposal.push_back(users[slot]); });
}

void propose_user_slots(int user, std::uint32_t g, const ReportedIndex& index,
                        std::vector<std::uint32_t>& slots) {
  slots.clear();
  walk_proposal(user, g, index, [&](std::uint32_t slot) { slots.push_back(slot); });
}

std::vector<int> propose_users(int user, int d, const std::vector<TriConcept>& reported) {
  std::vector<int> proposal;
  const ReportedIndex index(reported, ReportedIndex::Parts::UsersOnly);
  EpochSet seen(index.numbered());
  propose_users(user, d, index, seen, proposal);
  return proposal;
}

void evaluate_user_proposition(const std::vector<TriConcept>& reported, std::FILE* users_only) {
  RecommendationLists lists(reported, RecommendationLists::Lists::UsersOnly);
  progress_begin("user proposition (user lines read)", 0);
  const ServingTotals totals = time_each_user(
      users_only, [&](int user, int d, std::vector<int>& list) { lists.users(user, d, list); });
  progress_end();
  const float average = average_seconds(totals);
  std::printf("\n User Proposition: Average Time = %f", static_cast<double>(average));
}

}  // namespace quadmine

void recomm_generale_users(std::FILE* users_only) {
  quadmine::evaluate_user_proposition(ens_tc2, users_only);
}
