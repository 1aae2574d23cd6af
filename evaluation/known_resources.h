// KnownResources: for each user, the distinct resources it has (in a base, in
// the training or the test part of one), sorted.
#pragma once

#include <cstddef>
#include <span>
#include <utility>
#include <vector>

namespace quadmine {

class KnownResources {
 public:
  // (user, resource) pairs, one per line of a base: any order, repeats allowed.
  using Pair = std::pair<int, int>;

  KnownResources() = default;
  explicit KnownResources(std::vector<Pair> pairs);

  // The distinct resources of `user`, ascending (empty for a stranger).
  std::span<const int> of(int user) const;
  bool knows(int user, int resource) const;

  // The distinct users, ascending.
  const std::vector<int>& users() const { return users_; }
  // The number of distinct (user, resource) pairs.
  std::size_t pairs() const { return resources_.size(); }
  // Every resource of every user, as of() lists them one user after the other.
  std::span<const int> all_resources() const { return resources_; }

 private:
  std::vector<int> users_;           // distinct, ascending
  std::vector<std::size_t> starts_;  // per user, into resources_; one more at the end
  std::vector<int> resources_;       // per user, distinct, ascending
};

}  // namespace quadmine
