#include "index/epoch_set.h"

#include <algorithm>

namespace quadmine {

void EpochSet::clear() {
  if (++epoch_ == 0) {  // after 2^32 epochs: forget the old stamps for real
    std::fill(stamps_.begin(), stamps_.end(), 0);
    epoch_ = 1;
  }
}

bool ElementMarks::has(int x) const {
  const std::uint32_t number = numbers_.find(x);
  return number != FlatIntMap::kAbsent && members_.contains(number);
}

void ElementMarks::insert(int x) {
  const std::uint32_t number = numbers_.emplace(x, static_cast<std::uint32_t>(numbers_.size()));
  members_.grow(numbers_.size());
  members_.insert(number);
}

}  // namespace quadmine
