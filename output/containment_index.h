// ContainmentIndex: a read-only view of a store of concepts built for fast
// containment queries, with a liveness flag per concept.
//
// Concepts are named by their position in the store when the index is built
// (their id). For each concept the index keeps its four sets sorted and
// without repetitions, so that "every element of a occurs in b" is a linear
// merge, and it lists, for every user, the ids of the concepts holding it in
// ascending order. A concept that contains another in U must hold each of its
// users, so the concepts to compare with one concept are found in the list of
// its rarest user.
//
// The index does not follow later changes of the store's sets.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "store/store_helpers.h"
#include "store/triconcept.h"

class ContainmentIndex {
 public:
  explicit ContainmentIndex(const std::vector<TriConcept>& store);

  std::size_t size() const { return alive_.size(); }
  bool alive(std::size_t id) const { return alive_[id] != 0; }
  void kill(std::size_t id) { alive_[id] = 0; }
  const std::vector<char>& liveness() const { return alive_; }

  // Sorted distinct elements of set `dim` (0 = U, 1 = T, 2 = R, 3 = D).
  std::span<const int> distinct(std::size_t id, int dim) const;
  // Every element of set `dim` of concept a occurs in that set of concept b.
  bool included(std::size_t a, std::size_t b, int dim) const;

  // The concepts that contain concept `id` in all four dimensions hold each
  // of its elements: the holder lists (ids, ascending) of its two rarest
  // elements. Nothing is offered when the concept has no element at all (then
  // any concept may contain it).
  ShortestLists candidates(std::size_t id) const;

 private:
  std::span<const std::uint32_t> postings(int dim, int value) const;

  std::vector<int> pool_;                // the distinct sets, one after the other
  std::vector<std::size_t> offsets_;     // 4 * size() + 1 boundaries in pool_
  // Per dimension: sorted distinct values, and for each the ids holding it.
  std::vector<int> values_[4];
  std::vector<std::size_t> value_starts_[4];  // values_[d].size() + 1 boundaries
  std::vector<std::uint32_t> posted_[4];      // concept ids, grouped by value
  std::vector<char> alive_;
};
