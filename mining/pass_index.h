// PassIndex: what the resource and D passes know of the store as it stood
// when the pass began. It is built once and is read only through const
// members after that, so the neighbour finder's thread and the pass read it
// at once.
//
// A concept's id is its position when the pass starts. Per id: its U, T,
// third and grown sets as sorted distinct copies, whether each list repeats
// an element (and, for a compared list that does, the list itself), 64-bit
// signatures of the three compared sets, and whether its gate set reaches its
// threshold. Per compared set: the postings of the gated concepts, each entry
// carrying the folded signatures of the other two compared sets.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "index/postings.h"
#include "index/signature.h"
#include "index/sorted_sets.h"
#include "store/thresholds.h"
#include "store/triconcept.h"

namespace quadmine {

using SetMember = std::vector<int> TriConcept::*;

// What distinguishes the resource pass from the D pass.
struct ExtensionRoles {
  SetMember grown;           // the list that grows: rs or ds
  SetMember gate;            // must reach gate_threshold: ts or rs
  int gate_threshold;        // minsupp_t or minsupp_r
  SetMember third;           // compared besides U and T: ds or rs
  int third_threshold;       // threshold of the common third list
  bool third_length_counts;  // whether a collected neighbour needs a third list as long
};

// The compared sets, numbered 0 = U, 1 = T, 2 = third; the sorted copies
// hold the grown set as a fourth.
constexpr std::uint32_t kCompared = 3;
constexpr std::uint32_t kGrown = 3;

// An entry of the postings: a concept and the folded signatures of its other
// two compared sets (see other_compared()), so that a walk over one list can
// reject most ids on what it reads in sequence, without visiting the sets.
struct SignedId {
  std::uint32_t id = 0;
  std::uint32_t bits[2] = {};
};

// The o-th (0 or 1) compared set other than s.
inline std::uint32_t other_compared(std::uint32_t s, std::uint32_t o) { return o < s ? o : o + 1; }

class PassIndex {
 public:
  PassIndex(const std::vector<TriConcept>& store, const Thresholds& thresholds,
            const ExtensionRoles& roles);

  std::uint32_t size() const { return n_; }
  const ExtensionRoles& roles() const { return roles_; }
  // The list of concept member s (0 = U, 1 = T, 2 = third, 3 = grown).
  SetMember member(std::uint32_t s) const;
  // Threshold of the common list of compared set s.
  int threshold_of(std::uint32_t s) const {
    return s == 0 ? thresholds_.u : s == 1 ? thresholds_.t : roles_.third_threshold;
  }
  // With every threshold at least 1, a new concept needs common elements in
  // all three compared sets.
  bool sharing_required() const {
    return thresholds_.t >= 1 && thresholds_.u >= 1 && roles_.third_threshold >= 1;
  }

  bool gate_ok(std::uint32_t id) const { return gate_ok_[id] != 0; }
  std::span<const int> sorted(std::uint32_t id, std::uint32_t s) const {
    return sorted_.get(kSlots * id + s);
  }
  // Whether list s of concept `id` holds a repeated element.
  bool repeats(std::uint32_t id, std::uint32_t s) const { return repeats_[kSlots * id + s] != 0; }
  // Compared list s (below kCompared) of concept `id` as the pass found it,
  // repetitions included; only for a list that repeats().
  std::span<const int> list_with_repeats(std::uint32_t id, std::uint32_t s) const;
  std::uint64_t signature(std::uint32_t id, std::uint32_t s) const {
    return signatures_[kCompared * id + s];
  }
  // Hints that the sets of `id` are read soon (see SortedSets).
  void prefetch_start(std::uint32_t id) const { sorted_.prefetch_start(kSlots * id); }
  void prefetch_sets(std::uint32_t id) const { sorted_.prefetch_sets(kSlots * id); }

  // The postings of the compared sets (set numbers as above), ids ascending.
  const Postings<SignedId>& postings() const { return postings_; }

 private:
  static constexpr std::uint32_t kSlots = 4;

  void add_list(std::uint32_t id, std::uint32_t s, const std::vector<int>& list);

  const ExtensionRoles roles_;
  const Thresholds thresholds_;
  const std::uint32_t n_;
  std::vector<char> gate_ok_;
  SortedSets sorted_;                      // kSlots slots per id
  std::vector<char> repeats_;              // per slot
  std::vector<std::uint64_t> signatures_;  // kCompared per id
  // The compared lists that repeat an element, in slot order: their slots,
  // and where each starts in repeated_pool_ (one more at the end).
  std::vector<std::uint32_t> repeated_slots_;
  std::vector<std::size_t> repeated_starts_{0};
  std::vector<int> repeated_pool_;
  Postings<SignedId> postings_{kCompared};
};

}  // namespace quadmine
