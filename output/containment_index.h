// ContainmentIndex: a read-only view of a store of concepts built for fast
// containment queries. Once built it only answers (every member is const), so
// the report's loop and its second thread query it at once.
//
// Concepts are named by their position in the store when the index is built
// (their id). For every element of every set the index keeps the ids of the
// concepts holding it (its holder list, numbered as in Postings) and, per
// block of eight ids of a list, the union of their signatures; per concept,
// whether a set repeats an element, a signature of its four sets, the sizes of
// its four sets (repetitions counted), and the ring of concepts with the same
// four distinct sets. It keeps no copy of the sets themselves and does not
// follow later changes of the store.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory_resource>
#include <span>
#include <vector>

#include "index/id_lists.h"
#include "index/postings.h"
#include "store/triconcept.h"

namespace quadmine {

class ContainmentIndex {
 public:
  // The four sets, in the order the index numbers them.
  static constexpr int kSets = 4;  // 0 = U, 1 = T, 2 = R, 3 = D

  explicit ContainmentIndex(const std::vector<TriConcept>& store);
  ContainmentIndex(const ContainmentIndex&) = delete;
  ContainmentIndex& operator=(const ContainmentIndex&) = delete;

  // Whether no set of concept `id` holds an element twice.
  bool without_repeats(std::size_t id) const { return plain_[id] != 0; }

  // Whether concepts `a` and `b` have sets of the same four sizes.
  bool same_sizes(std::size_t a, std::size_t b) const { return sizes_[a] == sizes_[b]; }

  // Makes `lists` the numbers of the holder lists of every element of `c`,
  // the concept of the store with id `id`, in all four sets, shortest first,
  // each list once. A concept contains `c` in all four sets exactly when it
  // is in every list. `lists` is left empty when `c` has no element at all
  // (then every concept contains it).
  void holder_lists(const TriConcept& c, std::vector<std::uint32_t>& lists) const;

  // The ids, ascending, of holder list number `list`.
  IdList holders(std::uint32_t list) const { return holders_.list(list); }

  // The ids common to the lists holder_lists() gave for concept `id`, those
  // of the concepts that contain it, one at a time, ascending. The walk goes
  // through the first list and looks each id up in the others, skipping the
  // ids whose signature lacks a bit of the signature of `id`. It looks at the
  // first list by blocks: a block whose union of signatures lacks such a bit
  // is passed over whole.
  class Containers {
   public:
    // `lists` must outlive the walk; `cursors` is working space.
    Containers(const ContainmentIndex& index, std::size_t id, std::span<const std::uint32_t> lists,
               std::vector<std::size_t>& cursors);
    // Stores the next container in `id`; false when there is none left.
    bool next(std::uint32_t& id);

   private:
    const ContainmentIndex& index_;
    std::span<const std::uint32_t> lists_;
    std::vector<std::size_t>& cursors_;  // per list but the first
    std::uint64_t needed_;
    IdList first_;                           // the first list
    std::span<const std::uint64_t> blocks_;  // its block signatures
    std::size_t at_ = 0;                     // in first_
    std::size_t passed_ = 0;                 // end of the block the walk is in, once it passed
  };

  // The first concept (lowest id) other than `id` that contains it with a set
  // of another size, or kNoContainer, whatever the caller has erased since.
  // `lists` are those holder_lists() gave for it, not empty; `cursors` is
  // working space.
  static constexpr std::uint32_t kNoContainer = UINT32_MAX;
  std::uint32_t first_strict_container(std::size_t id, std::span<const std::uint32_t> lists,
                                       std::vector<std::size_t>& cursors) const;

  // The next id, in a ring, of the concepts whose four distinct sets equal
  // those of concept `id`; `id` itself when there is no other.
  std::uint32_t next_same_sets(std::size_t id) const { return ring_[id]; }

 private:
  // Per block of kBlock ids of a holder list: the union of their signatures.
  static constexpr std::size_t kBlock = 8;

  struct Notes;
  void note_concepts(const std::vector<TriConcept>& store, Notes& notes);
  void fill_lists(const Notes& notes);
  void sign_blocks();

  // The holder lists, laid out one after the other in one block (room for
  // every element of every concept, the most they can hold).
  std::pmr::monotonic_buffer_resource lists_memory_;
  Postings<std::uint32_t> holders_;        // per set: element -> ids holding it
  std::vector<std::size_t> block_starts_;  // per list, into block_signatures_
  std::vector<std::uint64_t> block_signatures_;
  std::vector<char> plain_;
  std::vector<std::uint64_t> signatures_;
  std::vector<std::uint32_t> ring_;
  std::vector<std::array<std::uint32_t, kSets>> sizes_;
};

}  // namespace quadmine
