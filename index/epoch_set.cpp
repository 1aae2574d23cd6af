#include "index/epoch_set.h"

#include <algorithm>

void EpochSet::clear() {
  if (++epoch_ == 0) {  // after 2^32 epochs: forget the old stamps for real
    std::fill(stamps_.begin(), stamps_.end(), 0);
    epoch_ = 1;
  }
}

bool ElementMarks::has(int x) const {
  const auto it = numbers_.find(x);
  return it != numbers_.end() && members_.contains(it->second);
}

void ElementMarks::insert(int x) {
  const auto [it, added] = numbers_.emplace(x, static_cast<std::uint32_t>(numbers_.size()));
  if (added) members_.grow(numbers_.size());
  members_.insert(it->second);
}
