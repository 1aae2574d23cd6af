#include "evaluation/popular_resources.h"

#include <algorithm>
#include <utility>

namespace quadmine {

PopularResources::PopularResources(const KnownResources& had) {
  // Every pair of `had` is a distinct (user, resource): counting the pairs of
  // a resource counts its users.
  std::vector<int> all(had.all_resources().begin(), had.all_resources().end());
  std::sort(all.begin(), all.end());
  std::vector<std::pair<std::size_t, int>> counted;  // (users, resource)
  for (std::size_t k = 0; k < all.size();) {
    std::size_t end = k;
    while (end < all.size() && all[end] == all[k]) ++end;
    counted.emplace_back(end - k, all[k]);
    k = end;
  }
  std::sort(counted.begin(), counted.end(), [](const auto& a, const auto& b) {
    return a.first != b.first ? a.first > b.first : a.second < b.second;
  });
  for (const auto& [users, resource] : counted) {
    ranking_.push_back(resource);
    popularity_.push_back(users);
  }
}

void PopularResources::serve(int user, const KnownResources& had, std::size_t limit,
                             std::vector<int>& list) const {
  list.clear();
  for (std::size_t k = 0; k < ranking_.size() && list.size() < limit; ++k) {
    if (!had.knows(user, ranking_[k])) list.push_back(ranking_[k]);
  }
}

}  // namespace quadmine
