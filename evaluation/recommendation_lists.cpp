#include "evaluation/recommendation_lists.h"

#include <algorithm>

#include "evaluation/resource_recommendation.h"
#include "evaluation/user_proposition.h"

namespace quadmine {

namespace {

ReportedIndex::Parts parts_for(RecommendationLists::Lists lists) {
  return lists == RecommendationLists::Lists::Both ? ReportedIndex::Parts::All
                                                   : ReportedIndex::Parts::UsersOnly;
}

}  // namespace

RecommendationLists::RecommendationLists(const std::vector<TriConcept>& reported, Lists lists)
    : index_(reported, parts_for(lists)), seen_(index_.numbered()) {
  std::size_t most = 0;
  for (std::uint32_t g = 0; g < index_.groups(); ++g) {
    most = std::max(most, index_.resources_of(g).size());
  }
  held_.grow(most);
  held_support_.resize(most);
  last_holder_.resize(most);
}

void RecommendationLists::resources(int user, int d, std::vector<int>& out) {
  recommend_resources(user, d, index_, seen_, out);
}

void RecommendationLists::users(int user, int d, std::vector<int>& out) {
  propose_users(user, d, index_, seen_, out);
}

void RecommendationLists::resources(int user, int d, const ListOptions& options,
                                    std::vector<int>& out) {
  out.clear();
  const std::uint32_t g = index_.group(d);
  if (g == ReportedIndex::kNoGroup) return;
  recommend_resource_slots(user, g, index_, seen_, slots_);
  const auto resources = index_.resources_of(g);
  if (options.rank == Rank::Support) count_held_supports(user, g);
  ranked_.clear();
  for (std::uint32_t position = 0; position < slots_.size(); ++position) {
    const int id = resources[slots_[position]].id;
    if (options.known != nullptr && options.known->knows(user, id)) continue;
    const std::uint64_t support =
        options.rank == Rank::Support ? support_of(g, slots_[position]) : 0;
    ranked_.push_back({support, position, id});
  }
  rank_into(options.rank, options.limit, out);
}

void RecommendationLists::users(int user, int d, const ListOptions& options,
                                std::vector<int>& out) {
  out.clear();
  const std::uint32_t g = index_.group(d);
  if (g == ReportedIndex::kNoGroup) return;
  propose_user_slots(user, g, index_, slots_);
  const auto users = index_.users_of(g);
  const auto supports = index_.user_supports_of(g);
  ranked_.clear();
  for (std::uint32_t position = 0; position < slots_.size(); ++position) {
    const std::uint32_t slot = slots_[position];
    ranked_.push_back({options.rank == Rank::Support ? supports[slot] : 0, position, users[slot]});
  }
  rank_into(options.rank, options.limit, out);
}

// The support a resource of the user's list has over the whole group, less
// what the concepts holding the user gave it (those concepts do not count).
void RecommendationLists::count_held_supports(int user, std::uint32_t g) {
  held_.clear();
  for (const std::uint32_t c : index_.holding(g, user)) {
    const TriConcept& holder = index_.reported()[c];
    for (std::size_t k = 0; k < holder.rs.size(); ++k) {
      const std::uint32_t slot = index_.resource_at(c, k);
      if (held_.insert(slot)) {
        held_support_[slot] = 0;
        last_holder_[slot] = c;
      } else if (last_holder_[slot] == c) {
        continue;  // a resource counts once per concept
      }
      last_holder_[slot] = c;
      held_support_[slot] += holder.us.size();
    }
  }
}

std::uint64_t RecommendationLists::support_of(std::uint32_t g, std::uint32_t slot) const {
  const std::uint64_t whole = index_.resource_supports_of(g)[slot];
  return held_.contains(slot) ? whole - held_support_[slot] : whole;
}

// The first `limit` ids of ranked_ (which is in first-seen order), by
// decreasing support then first-seen position when ranked by support.
void RecommendationLists::rank_into(Rank rank, std::size_t limit, std::vector<int>& out) {
  const auto before = [](const Ranked& a, const Ranked& b) {
    return a.support != b.support ? a.support > b.support : a.position < b.position;
  };
  const std::size_t kept = std::min(limit, ranked_.size());
  if (rank == Rank::Support) {
    std::partial_sort(ranked_.begin(), ranked_.begin() + static_cast<std::ptrdiff_t>(kept),
                      ranked_.end(), before);
  }
  out.clear();
  for (std::size_t k = 0; k < kept; ++k) out.push_back(ranked_[k].id);
}

}  // namespace quadmine
