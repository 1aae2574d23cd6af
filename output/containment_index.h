// ContainmentIndex: a read-only view of a store of concepts built for fast
// containment queries, with a liveness flag per concept.
//
// Concepts are named by their position in the store when the index is built
// (their id). The index keeps each concept's four sets sorted and distinct,
// for every element of every set the ids of the concepts holding it, and the
// groups of concepts with the same four distinct sets. It does not follow
// later changes of the store's sets.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "index/id_lists.h"
#include "index/postings.h"
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

  // The sorted distinct elements of set `set` of concept `id`.
  std::span<const int> distinct(std::size_t id, int set) const {
    return sets_.get(static_cast<std::uint32_t>(kSets * id + static_cast<std::size_t>(set)));
  }

  // Makes `lists` the holder lists (ids, ascending) of every element of
  // concept `id`, in all four sets, shortest first. A concept contains `id` in
  // all four sets exactly when it is in every list. `lists` is left empty when
  // the concept has no element at all (then every concept contains it).
  void holder_lists(std::size_t id, std::vector<IdList>& lists) const;

  // Signatures (see IdSignatures) of the four sets of every concept.
  std::span<const std::uint64_t> signatures() const { return signatures_; }

  // The ids (ascending, `id` included) of the concepts whose four distinct
  // sets equal those of concept `id`.
  IdList same_sets(std::size_t id) const;

 private:
  bool same_distinct_sets(std::size_t a, std::size_t b) const;
  std::uint64_t hash_sets(std::size_t id) const;
  void group_equal_sets();

  SortedSets sets_;          // kSets slots per id
  Postings holders_[kSets];  // per set: element -> ids holding it
  std::vector<char> alive_;
  std::vector<std::uint64_t> signatures_;
  // The ids grouped by their four distinct sets, each group ascending;
  // group_of_ gives the start of an id's group in members_, group_end_ the
  // end of a group by its start.
  std::vector<std::uint32_t> members_;
  std::vector<std::uint32_t> group_of_;
  std::vector<std::uint32_t> group_end_;
};
