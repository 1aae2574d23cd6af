// ContainmentIndex: a read-only view of a store of concepts built for fast
// containment queries, with a liveness flag per concept.
//
// Concepts are named by their position in the store when the index is built
// (their id). The index keeps each concept's four sets sorted and distinct and,
// for every element of every set, the ids of the concepts holding it. It does
// not follow later changes of the store's sets.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "index/postings.h"
#include "index/shortest_lists.h"
#include "index/sorted_sets.h"
#include "store/triconcept.h"

class ContainmentIndex {
 public:
  // The four sets, in the order the index numbers them.
  static constexpr int kSets = 4;  // 0 = U, 1 = T, 2 = R, 3 = D

  explicit ContainmentIndex(const std::vector<TriConcept>& store);

  bool alive(std::size_t id) const { return alive_[id] != 0; }
  void kill(std::size_t id) { alive_[id] = 0; }
  // One flag per id, 0 for the killed ones.
  const std::vector<char>& liveness() const { return alive_; }

  // Every element of set `set` of concept a occurs in that set of concept b.
  bool included(std::size_t a, std::size_t b, int set) const;

  // The concepts that contain concept `id` in all four sets hold each of its
  // elements: the holder lists (ids, ascending) of its two rarest elements.
  // Nothing is offered when the concept has no element at all (then any
  // concept may contain it).
  ShortestLists candidates(std::size_t id) const;

 private:
  std::span<const int> distinct(std::size_t id, int set) const {
    return sets_.get(static_cast<std::uint32_t>(kSets * id + static_cast<std::size_t>(set)));
  }

  SortedSets sets_;          // kSets slots per id
  Postings holders_[kSets];  // per set: element -> ids holding it
  std::vector<char> alive_;
};
