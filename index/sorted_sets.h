// Sorted, distinct copies of integer sets. On such copies "every element of a
// occurs in b" is a merge and membership a binary search, with the meaning the
// program gives them on sets in insertion order: order and repetitions play
// no part.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace quadmine {

// Makes `out` the sorted distinct elements of `set`.
void sort_distinct(std::span<const int> set, std::vector<int>& out);

// Whether every element of `a` occurs in `b` (both sorted and distinct).
bool sorted_includes(std::span<const int> a, std::span<const int> b);

// Whether `x` occurs in `set` (sorted).
bool sorted_contains(std::span<const int> set, int x);

// Whether `a` and `b` (both sorted and distinct) have an element in common.
bool sorted_intersect(std::span<const int> a, std::span<const int> b);

// Makes `out` the elements common to `a` and `b` (both sorted and distinct),
// ascending.
void sorted_intersection(std::span<const int> a, std::span<const int> b, std::vector<int>& out);

// Appends to `words` a bitset over the positions of `mine`, (mine.size() +
// 63) / 64 words, bit i set when mine[i] occurs in `theirs` (both sorted and
// distinct); returns the number of bits set.
std::size_t common_bits(std::span<const int> mine, std::span<const int> theirs,
                        std::vector<std::uint64_t>& words);

// Appends to `out` the elements of `mine` whose bit is set in `bits` (as
// common_bits() made it), in their order.
void elements_of_bits(std::span<const int> mine, std::span<const std::uint64_t> bits,
                      std::vector<int>& out);

// Makes `out` the elements of `a` or `b` (both sorted and distinct), ascending.
void sorted_union(std::span<const int> a, std::span<const int> b, std::vector<int>& out);

// How many elements of `list`, repetitions counted, occur in `sorted`.
std::size_t occurrences_in(std::span<const int> list, std::span<const int> sorted);

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
  // Hints that get(slot) comes soon: fetch where the set starts, or (once
  // that is at hand) its elements, into the cache ahead of time.
  void prefetch_start(std::uint32_t slot) const { __builtin_prefetch(&starts_[slot]); }
  void prefetch_sets(std::uint32_t slot) const { __builtin_prefetch(pool_.data() + starts_[slot]); }

 private:
  std::vector<int> pool_;
  std::vector<std::size_t> starts_;
};

}  // namespace quadmine
