// ContainmentIndex: a read-only view of a store of concepts built for fast
// containment queries, with a liveness flag per concept.
//
// Concepts are named by their position in the store when the index is built
// (their id). For every element of every set the index keeps the ids of the
// concepts holding it; per concept, whether a set repeats an element, a
// signature of its four sets, the sizes of its four sets (repetitions
// counted), and the ring of concepts with the same four distinct sets. It keeps no copy of the sets
// themselves and does not follow later changes of the store.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "index/flat_int_map.h"
#include "index/id_lists.h"
#include "store/triconcept.h"

namespace quadmine {

class ContainmentIndex {
 public:
  // The four sets, in the order the index numbers them.
  static constexpr int kSets = 4;  // 0 = U, 1 = T, 2 = R, 3 = D

  // Raises std::length_error for a set of 2^32 elements or more.
  explicit ContainmentIndex(const std::vector<TriConcept>& store);

  bool alive(std::size_t id) const { return alive_[id] != 0; }
  void kill(std::size_t id) { alive_[id] = 0; }
  // One flag per id, 0 for the killed ones.
  const std::vector<char>& liveness() const { return alive_; }

  // Whether no set of concept `id` holds an element twice.
  bool without_repeats(std::size_t id) const { return plain_[id] != 0; }

  // Whether concepts `a` and `b` have sets of the same four sizes.
  bool same_sizes(std::size_t a, std::size_t b) const { return sizes_[a] == sizes_[b]; }

  // Makes `lists` the holder lists (ids, ascending) of every element of `c`,
  // the concept of the store with id `id`, in all four sets, shortest first,
  // each list once. A concept contains `c` in all four sets exactly when it
  // is in every list. `lists` is left empty when `c` has no element at all
  // (then every concept contains it).
  void holder_lists(const TriConcept& c, std::vector<IdList>& lists) const;

  // Signatures (see IdSignatures) of the four sets of every concept.
  std::span<const std::uint64_t> signatures() const { return signatures_; }

  // The ids common to the lists holder_lists() gave for concept `id`, those
  // of the concepts that contain it, one at a time, ascending. The walk goes
  // through the first list and looks each id up in the others, skipping the
  // ids whose signature lacks a bit of the signature of `id`. It looks at the
  // first list by blocks: a block whose union of signatures lacks such a bit
  // is passed over whole.
  class Containers {
   public:
    // `lists` must outlive the walk; `cursors` is working space.
    Containers(const ContainmentIndex& index, std::size_t id, std::span<const IdList> lists,
               std::vector<std::size_t>& cursors);
    // Stores the next container in `id`; false when there is none left.
    bool next(std::uint32_t& id);

   private:
    const ContainmentIndex& index_;
    std::span<const IdList> lists_;
    std::vector<std::size_t>& cursors_;  // per list but the first
    std::uint64_t needed_;
    std::size_t at_;      // in the index's holder_ids_, within the first list
    std::size_t end_;     // of the first list
    std::size_t passed_;  // end of the block the walk is in, once it passed
  };

  // The first concept (lowest id) other than `id` that contains it with a set
  // of another size, alive or not, or kNoContainer. `lists` are those
  // holder_lists() gave for it, not empty; `cursors` is working space. It
  // reads nothing that kill() changes, so another thread may call it while
  // this one kills concepts.
  static constexpr std::uint32_t kNoContainer = UINT32_MAX;
  std::uint32_t first_strict_container(std::size_t id, std::span<const IdList> lists,
                                       std::vector<std::size_t>& cursors) const;

  // The next id, in a ring, of the concepts whose four distinct sets equal
  // those of concept `id`; `id` itself when there is no other.
  std::uint32_t next_same_sets(std::size_t id) const { return ring_[id]; }

 private:
  IdList holders(int set, int x) const;

  FlatIntMap list_of_[kSets];             // per set: element -> number of its list
  std::vector<std::size_t> list_starts_;  // per list, into holder_ids_; one more at the end
  std::vector<std::uint32_t> holder_ids_;
  // Per block of kBlock entries of holder_ids_: the union of their signatures.
  static constexpr std::size_t kBlock = 8;
  std::vector<std::uint64_t> block_signatures_;
  std::vector<char> alive_;
  std::vector<char> plain_;
  std::vector<std::uint64_t> signatures_;
  std::vector<std::uint32_t> ring_;
  std::vector<std::array<std::uint32_t, kSets>> sizes_;
};

}  // namespace quadmine
