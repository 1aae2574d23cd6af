// Sorted, distinct copies of integer sets. On such copies "every element of a
// occurs in b" is a merge and membership a binary search, with the meaning the
// program gives them on sets in insertion order: order and repetitions play
// no part.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// Makes `out` the sorted distinct elements of `set`.
void sort_distinct(std::span<const int> set, std::vector<int>& out);

// Whether every element of `a` occurs in `b` (both sorted and distinct).
bool sorted_includes(std::span<const int> a, std::span<const int> b);

// Whether `x` occurs in `set` (sorted).
bool sorted_contains(std::span<const int> set, int x);

// Many small sorted distinct sets in one pool, numbered by slot in the order
// they were added.
class SortedSets {
 public:
  SortedSets() { starts_.push_back(0); }

  // Appends a sorted distinct copy of `set`; returns its slot.
  std::uint32_t add(std::span<const int> set);

  // The set of `slot`; valid until the next add().
  std::span<const int> get(std::uint32_t slot) const {
    return {pool_.data() + starts_[slot], starts_[slot + 1] - starts_[slot]};
  }

 private:
  std::vector<int> pool_;
  std::vector<std::size_t> starts_;
};
