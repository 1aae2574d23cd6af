// Postings: for each value, the ids of the records that hold it.
#pragma once

#include <cstdint>
#include <span>
#include <unordered_map>
#include <vector>

class Postings {
 public:
  // Records that record `id` holds `value`. Ids of one value must be added in
  // ascending order.
  void add(int value, std::uint32_t id) { lists_[value].push_back(id); }

  // The ids added for `value`, ascending; empty when there are none.
  std::span<const std::uint32_t> of(int value) const;

 private:
  std::unordered_map<int, std::vector<std::uint32_t>> lists_;
};
