// PopularResources: the resources of a base ranked by popularity, the
// simplest recommendation to hold the concept lists against.
//
// A resource's popularity is the number of distinct users who have it. The
// ranking is by decreasing popularity, ties by the smaller resource code; a
// user is served the ranking without the resources it already has.
#pragma once

#include <cstddef>
#include <vector>

#include "evaluation/known_resources.h"

namespace quadmine {

class PopularResources {
 public:
  // Ranks the resources that the users of `had` have.
  explicit PopularResources(const KnownResources& had);

  // Every resource, most popular first.
  const std::vector<int>& ranking() const { return ranking_; }
  std::size_t popularity(std::size_t rank) const { return popularity_[rank]; }

  // Clears `list` and fills it with the first `limit` resources of the
  // ranking that `user` does not have in `had` (the base given to the
  // constructor, or any other).
  void serve(int user, const KnownResources& had, std::size_t limit, std::vector<int>& list) const;

 private:
  std::vector<int> ranking_;
  std::vector<std::size_t> popularity_;  // as ranking_
};

}  // namespace quadmine
