// Postings: for each value, the ids of the records that hold it.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "index/flat_int_map.h"

namespace quadmine {

class Postings {
 public:
  // Records that record `id` holds `value`. Ids of one value must be added in
  // ascending order.
  void add(int value, std::uint32_t id);

  // The ids added for `value`, ascending; empty when there are none.
  std::span<const std::uint32_t> of(int value) const {
    const std::uint32_t list = lists_of_.find(value);
    if (list == FlatIntMap::kAbsent) return {};
    return lists_[list];
  }

 private:
  FlatIntMap lists_of_;  // value -> position of its list in lists_
  std::vector<std::vector<std::uint32_t>> lists_;
};

}  // namespace quadmine
