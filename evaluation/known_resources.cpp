#include "evaluation/known_resources.h"

#include <algorithm>

namespace quadmine {

KnownResources::KnownResources(std::vector<Pair> pairs) {
  std::sort(pairs.begin(), pairs.end());
  pairs.erase(std::unique(pairs.begin(), pairs.end()), pairs.end());
  resources_.reserve(pairs.size());
  for (const auto& [user, resource] : pairs) {
    if (users_.empty() || users_.back() != user) {
      users_.push_back(user);
      starts_.push_back(resources_.size());
    }
    resources_.push_back(resource);
  }
  starts_.push_back(resources_.size());
}

std::span<const int> KnownResources::of(int user) const {
  const auto it = std::lower_bound(users_.begin(), users_.end(), user);
  if (it == users_.end() || *it != user) return {};
  const auto u = static_cast<std::size_t>(it - users_.begin());
  return {resources_.data() + starts_[u], starts_[u + 1] - starts_[u]};
}

bool KnownResources::knows(int user, int resource) const {
  const std::span<const int> known = of(user);
  return std::binary_search(known.begin(), known.end(), resource);
}

}  // namespace quadmine
