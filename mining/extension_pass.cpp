#include "mining/extension_pass.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <iterator>
#include <span>
#include <utility>
#include <vector>

#include "driver/progress.h"
#include "index/compaction.h"
#include "index/epoch_set.h"
#include "index/signed_postings.h"
#include "index/sorted_sets.h"
#include "index/word_keys.h"
#include "mining/fresh_index.h"
#include "store/globals.h"
#include "store/thresholds.h"

// The pass walks the store by stable ids: a concept's id is its position when
// the pass starts. Erasing a concept only marks it dead, so the i-th current
// concept is simply the next live id, and "every later concept" is every live
// id above the current one. Only the current concept changes during its
// iteration (its grown list), so the U, T and third sets of every concept can
// be indexed once, as sorted copies and as postings (element -> ids).
//
// A later concept can only matter to the current one if it shares a user, a
// tag and an element of the third set with it (absorbing requires containing
// them, building requires common lists of at least one element each). The
// neighbours visited are therefore those found in the postings of the current
// concept's elements, in the compared set where those lists are shortest, that
// share an element with it in the other two sets as well (64-bit signatures of
// the sets, stored beside each id in the postings, reject most of the others
// without visiting them), taken in ascending id order; every other neighbour
// would change nothing.
//
// Common lists are computed on the sorted copies; the lists in the current
// concept's order are built only for the new concepts accepted.

namespace {

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
constexpr std::uint32_t kSlots = 4;

// One of 64 bits chosen by hashing an element. A set's signature holds the
// bits of its elements, so a set that holds every element of another holds
// all its bits, and two sets with no bit in common have no element in common.
std::uint64_t element_bit(int x) {
  return 1ull << ((static_cast<std::uint32_t>(x) * 0x9e3779b97f4a7c15ull) >> 58);
}

// Whether `bits` has at least `n` bits set (n is small: clearing the lowest
// bit n - 1 times is cheaper than counting them all where the processor has no
// population count instruction).
bool holds_bits(std::uint32_t bits, int n) {
  if (n == 0) return true;
  for (int i = 1; i < n; ++i) bits &= bits - 1;
  return bits != 0;
}

class ExtensionPass {
 public:
  ExtensionPass(std::vector<TriConcept>& store, const Thresholds& thresholds,
                const ExtensionRoles& roles)
      : store_(store), thresholds_(thresholds), roles_(roles), n_(store.size()) {
    alive_.assign(n_, 1);
    gate_ok_.resize(n_);
    signatures_.resize(n_);
    for (std::uint32_t id = 0; id < n_; ++id) index(id);
    // With every threshold at least 1, a new concept needs common elements in
    // all three compared sets.
    sharing_required_ = thresholds_.t >= 1 && thresholds_.u >= 1 && roles_.third_threshold >= 1;
  }

  void run() {
    std::size_t alive_count = n_;
    std::vector<std::uint32_t> collected;
    std::size_t cur = static_cast<std::size_t>(-1);
    for (std::size_t i = 0;; ++i) {
      // The bound looks at the store as the previous iteration left it.
      if (i + 1 >= alive_count) break;
      for (const std::uint32_t k : collected) alive_[k] = 0;
      alive_count -= collected.size();
      collected.clear();
      if (i >= alive_count) break;
      do ++cur;
      while (!alive_[cur]);
      progress_step(i);
      if (gate_ok_[cur]) scan(static_cast<std::uint32_t>(cur), collected);
    }
    for (const std::uint32_t k : collected) alive_[k] = 0;

    // Survivors in their order, then the accepted new concepts. The indexes
    // go first, so that they do not add to the memory the store then needs.
    release_indexes();
    erase_dead(store_, alive_);
    append_new_concepts();
  }

 private:
  // Sorted copies, signature and postings of concept `id`.
  void index(std::uint32_t id) {
    const TriConcept& c = store_[id];
    gate_ok_[id] = reaches((c.*roles_.gate).size(), roles_.gate_threshold);
    for (std::uint32_t s = 0; s < kSlots; ++s) {
      const std::vector<int>& set = c.*member(s);
      const std::uint32_t slot = sorted_.add(set);
      repeats_.push_back(sorted_.get(slot).size() != set.size());
      if (s == kGrown) continue;
      for (const int x : set) signatures_[id].bits[s] |= element_bit(x);
    }
    if (!gate_ok_[id]) return;
    for (std::uint32_t s = 0; s < kCompared; ++s) {
      SignedId entry{id, {}};
      for (std::uint32_t o = 0; o < 2; ++o) {
        entry.bits[o] = fold_signature(signatures_[id].bits[other(s, o)]);
      }
      for (const int x : sorted(id, s)) postings_[s].add(x, entry);
    }
  }

  // The o-th (0 or 1) compared set other than s.
  static std::uint32_t other(std::uint32_t s, std::uint32_t o) { return o < s ? o : o + 1; }

  void release_indexes() {
    sorted_ = SortedSets();
    repeats_ = {};
    for (SignedPostings& p : postings_) p = SignedPostings();
    signatures_ = {};
    fresh_index_ = FreshIndex(FreshIndex::kU | FreshIndex::kT | FreshIndex::kR | FreshIndex::kD);
  }

  SetMember member(std::uint32_t s) const {
    return s == 0   ? &TriConcept::us
           : s == 1 ? &TriConcept::ts
           : s == 2 ? roles_.third
                    : roles_.grown;
  }
  std::span<const int> sorted(std::uint32_t id, std::uint32_t s) const {
    return sorted_.get(kSlots * id + s);
  }
  // Whether set s of concept `id` holds a repeated element.
  bool repeats(std::uint32_t id, std::uint32_t s) const { return repeats_[kSlots * id + s] != 0; }

  // Keeps in later_[s] the postings above `cur` of the elements of its set s,
  // and returns how many entries a walk over them visits. A later concept
  // that matters holds shared_needed() of those elements, so it occurs in at
  // least one list when the shared_needed() - 1 longest are left out: those
  // go last, and the walk skips them.
  std::size_t later_postings(std::uint32_t cur, std::uint32_t s) {
    std::vector<std::span<const SignedId>>& later = later_[s];
    later.clear();
    for (const int x : sorted(cur, s)) later.push_back(postings_[s].later(x, cur));
    const std::size_t skipped = shared_needed(cur, s) - 1;
    if (skipped > 0) {
      std::sort(later.begin(), later.end(),
                [](const auto& a, const auto& b) { return a.size() < b.size(); });
    }
    std::size_t cost = 0;
    for (std::size_t l = 0; l + skipped < later.size(); ++l) cost += later[l].size();
    return cost;
  }

  // Appends to neighbours_ each live id of later_[known] (the postings above
  // `cur` of cur's set `known`) whose signatures may share enough elements
  // with cur's in the other compared sets; an id held by several elements is
  // appended once per element. What it really shares is decided in scan().
  void walk_later_postings(std::uint32_t cur, std::uint32_t known) {
    std::uint32_t mine[2];
    int bits_needed[2];
    for (std::uint32_t o = 0; o < 2; ++o) {
      const std::uint32_t s = other(known, o);
      mine[o] = fold_signature(signatures_[cur].bits[s]);
      bits_needed[o] = bits_for_shared(cur, s);
    }
    const std::size_t walked = later_[known].size() - (shared_needed(cur, known) - 1);
    for (const std::span<const SignedId> later : std::span(later_[known]).first(walked)) {
      for (const SignedId& e : later) {
        if (!holds_bits(mine[0] & e.bits[0], bits_needed[0]) ||
            !holds_bits(mine[1] & e.bits[1], bits_needed[1])) {
          continue;
        }
        if (alive_[e.id]) neighbours_.push_back(e.id);
      }
    }
  }

  // Fewest elements of the current concept's set s that a later concept must
  // hold to matter to it: all of them to contain it, the threshold to make a
  // new concept with it (one, when a repeated element may count twice).
  std::size_t shared_needed(std::uint32_t cur, std::uint32_t s) const {
    if (repeats(cur, s)) return std::min<std::size_t>(1, sorted(cur, s).size());
    return std::min(sorted(cur, s).size(), static_cast<std::size_t>(threshold_of(s)));
  }

  // Fewest bits of the current concept's folded signature of set s that the
  // elements counted by shared_needed() cover: several elements may share a
  // bit, so the largest groups of elements per bit are counted first.
  int bits_for_shared(std::uint32_t cur, std::uint32_t s) {
    const std::size_t needed = shared_needed(cur, s);
    if (needed <= 1) return static_cast<int>(needed);
    std::uint32_t per_bit[32] = {};
    for (const int x : sorted(cur, s)) ++per_bit[std::countr_zero(fold_signature(element_bit(x)))];
    std::sort(std::begin(per_bit), std::end(per_bit), std::greater<>());
    int bits = 0;
    for (std::size_t covered = 0; covered < needed; covered += per_bit[bits++]) {
    }
    return bits;
  }

  // Live ids above `cur`, in ascending order, among which are all those that
  // share an element with it in each compared set (found through the set
  // whose postings are shortest).
  void gather_neighbours(std::uint32_t cur) {
    neighbours_.clear();
    int best = -1;
    std::size_t best_cost = 0;
    for (std::uint32_t s = 0; s < kCompared; ++s) {
      if (sorted(cur, s).empty()) continue;
      const std::size_t cost = later_postings(cur, s);
      if (best < 0 || cost < best_cost) {
        best = static_cast<int>(s);
        best_cost = cost;
      }
    }
    if (best < 0 || !sharing_required_) {  // every later concept may matter
      for (std::uint32_t k = cur + 1; k < n_; ++k) {
        if (alive_[k] && gate_ok_[k]) neighbours_.push_back(k);
      }
      return;
    }
    const auto known = static_cast<std::uint32_t>(best);
    walk_later_postings(cur, known);
    std::sort(neighbours_.begin(), neighbours_.end());
    // An id occurs once per walked list that holds it; the lists left out
    // are searched for it.
    const std::size_t needed = shared_needed(cur, known);
    const std::span<const std::span<const SignedId>> left_out =
        std::span(later_[known]).last(needed - 1);
    left_out_from_.assign(left_out.size(), 0);
    std::size_t kept = 0;
    for (std::size_t first = 0; first < neighbours_.size();) {
      const std::uint32_t k = neighbours_[first];
      std::size_t end = first + 1;
      while (end < neighbours_.size() && neighbours_[end] == k) ++end;
      std::size_t shared = end - first;
      for (std::size_t l = 0; l < left_out.size() && shared < needed; ++l) {
        const auto rest = left_out[l].subspan(left_out_from_[l]);
        const auto at =
            std::lower_bound(rest.begin(), rest.end(), k,
                             [](const SignedId& e, std::uint32_t id) { return e.id < id; });
        left_out_from_[l] += static_cast<std::size_t>(at - rest.begin());
        if (at != rest.end() && at->id == k) ++shared;
      }
      if (shared >= needed) neighbours_[kept++] = k;
      first = end;
    }
    neighbours_.resize(kept);
  }

  // Threshold of the common list of compared set s.
  int threshold_of(std::uint32_t s) const {
    return s == 0 ? thresholds_.u : s == 1 ? thresholds_.t : roles_.third_threshold;
  }

  // Elements of the current concept's set, in its order, found in k's.
  static void common(const std::vector<int>& mine, std::span<const int> theirs,
                     std::vector<int>& out) {
    out.clear();
    for (const int x : mine) {
      if (sorted_contains(theirs, x)) out.push_back(x);
    }
  }

  // Whether a neighbour whose lists the current one absorbed is redundant.
  bool as_long(const TriConcept& current, const TriConcept& neighbour) const {
    return current.ts.size() == neighbour.ts.size() && current.us.size() == neighbour.us.size() &&
           (!roles_.third_length_counts ||
            (current.*roles_.third).size() == (neighbour.*roles_.third).size());
  }

  void scan(std::uint32_t cur, std::vector<std::uint32_t>& collected) {
    grown_marks_.clear();
    for (const int x : store_[cur].*roles_.grown) grown_marks_.insert(x);
    grown_sorted_.assign(sorted(cur, kGrown).begin(), sorted(cur, kGrown).end());
    decided_.clear();

    gather_neighbours(cur);
    constexpr std::size_t kAhead = 8;  // neighbours whose sets are fetched in advance
    for (std::size_t n = 0; n < neighbours_.size(); ++n) {
      if (n + 2 * kAhead < neighbours_.size()) {
        sorted_.prefetch_start(kSlots * neighbours_[n + 2 * kAhead]);
      }
      if (n + kAhead < neighbours_.size()) sorted_.prefetch_sets(kSlots * neighbours_[n + kAhead]);
      const std::uint32_t k = neighbours_[n];
      const Comparison seen = compare(cur, k);
      if (!seen.any()) continue;
      const std::vector<int>& offered = store_[k].*roles_.grown;
      if (seen.contained && !offered.empty() && !grown_marks_.has(offered.front())) {
        decide_waiting(cur);  // before the grown list changes
        absorb(cur, k);
        decided_.clear();
        if (as_long(store_[cur], store_[k])) collected.push_back(k);
        continue;
      }
      if (seen.builds) try_new_concept(cur, k);
    }
    decide_waiting(cur);
  }

  // What k can do for the current concept: give it its grown list (it
  // contains the current concept in the compared sets), and make a new
  // concept with it (the common lists reach their thresholds).
  struct Comparison {
    bool contained = false;
    bool builds = false;
    bool any() const { return contained || builds; }
  };

  // Compares the compared sets of the current concept and k, leaving in
  // key_ which elements of the current concept's sets k holds (a bitset per
  // set, see common_bits()). A k that shares no element with the current
  // concept in a compared set where it has one does nothing.
  Comparison compare(std::uint32_t cur, std::uint32_t k) {
    Comparison seen{true, true};
    key_.clear();
    for (std::uint32_t s = 0; s < kCompared; ++s) {
      const std::span<const int> mine = sorted(cur, s);
      const std::size_t shared = common_bits(mine, sorted(k, s), key_);
      if (shared == 0 && !mine.empty() && sharing_required_) return {};
      seen.contained = seen.contained && shared == mine.size();
      seen.builds = seen.builds && common_reaches(cur, k, s, shared);
      if (!seen.any()) return {};
    }
    return seen;
  }

  // The current concept takes the grown list of k: each element it lacks
  // goes to the end of its own, in k's order.
  void absorb(std::uint32_t cur, std::uint32_t k) {
    std::vector<int>& grown = store_[cur].*roles_.grown;
    for (const int x : store_[k].*roles_.grown) {
      if (!grown_marks_.has(x)) {
        grown_marks_.insert(x);
        grown.push_back(x);
      }
    }
    sorted_union(grown_sorted_, sorted(k, kGrown), union_sorted_);
    grown_sorted_.swap(union_sorted_);
  }

  // Whether the common list of set s, `shared` distinct elements
  // (repetitions of the current concept's list counted), reaches its
  // threshold.
  bool common_reaches(std::uint32_t cur, std::uint32_t k, std::uint32_t s,
                      std::size_t shared) const {
    if (!repeats(cur, s)) return reaches(shared, threshold_of(s));
    return reaches(occurrences_in(store_[cur].*member(s), sorted(k, s)), threshold_of(s));
  }

  // The common lists reach their thresholds: the new concept they make with
  // the union of both grown lists, unless this pass decided on it before.
  void try_new_concept(std::uint32_t cur, std::uint32_t k) {
    // The same candidate comes from many neighbours of one concept. Its
    // common lists are known by key_, and its grown list by what k adds to
    // the current one, so the candidates met before during this scan are
    // settled here, without FreshIndex.
    const std::span<const int> offered = sorted(k, kGrown);
    for (const int x : offered) {
      if (!grown_marks_.has(x)) key_.push_back(static_cast<std::uint32_t>(x));
    }
    if (!decided_.insert(key_)) return;

    std::size_t word = 0;
    for (std::uint32_t s = 0; s < kCompared; ++s) {
      const std::span<const int> mine = sorted(cur, s);
      common_sorted_[s].clear();
      elements_of_bits(mine, std::span(key_).subspan(word), common_sorted_[s]);
      word += (mine.size() + 63) / 64;
    }
    sorted_union(grown_sorted_, offered, union_sorted_);
    const bool grows_r = roles_.grown == &TriConcept::rs;
    const std::vector<int>* sets[4] = {&common_sorted_[0], &common_sorted_[1],
                                       grows_r ? &union_sorted_ : &common_sorted_[2],
                                       grows_r ? &common_sorted_[2] : &union_sorted_};
    Waiting& waiting = waiting_.emplace_back();
    waiting.k = k;
    waiting.begin = waiting_sets_.size();
    for (std::uint32_t set = 0; set < 4; ++set) {
      waiting.sizes[set] = sets[set]->size();
      waiting_sets_.insert(waiting_sets_.end(), sets[set]->begin(), sets[set]->end());
    }
  }

  // FreshIndex decides on the waiting candidates, in the order they came:
  // each first has its table entries fetched, so that the look-ups of
  // several candidates overlap. Those accepted join the new concepts.
  void decide_waiting(std::uint32_t cur) {
    const auto sets_of = [&](const Waiting& waiting) {
      std::array<std::span<const int>, 4> sets;
      std::size_t at = waiting.begin;
      for (std::uint32_t set = 0; set < 4; ++set) {
        sets[set] = std::span(waiting_sets_).subspan(at, waiting.sizes[set]);
        at += waiting.sizes[set];
      }
      return sets;
    };
    for (Waiting& waiting : waiting_) {
      const auto sets = sets_of(waiting);
      waiting.ticket = fresh_index_.prepare(sets[0], sets[1], sets[2], sets[3]);
    }
    for (const Waiting& waiting : waiting_) {
      const auto sets = sets_of(waiting);
      if (fresh_index_.accept(sets[0], sets[1], sets[2], sets[3], waiting.ticket)) {
        add_new_concept(cur, waiting.k);
      }
    }
    waiting_.clear();
    waiting_sets_.clear();
  }

  // The new concept of the current concept and k: its common lists in the
  // current concept's order, and as grown list the current one as it stands,
  // then what k adds.
  void add_new_concept(std::uint32_t cur, std::uint32_t k) {
    const TriConcept& current = store_[cur];
    TriConcept candidate;
    for (std::uint32_t s = 0; s < kCompared; ++s) {
      common(current.*member(s), sorted(k, s), candidate.*member(s));
    }
    std::vector<int>& united = candidate.*roles_.grown;
    united = current.*roles_.grown;
    union_marks_.clear();
    for (const int x : store_[k].*roles_.grown) {
      if (!grown_marks_.has(x) && !union_marks_.has(x)) {
        union_marks_.insert(x);
        united.push_back(x);
      }
    }
    fresh_.push_back({std::move(candidate.us), std::move(candidate.ts), std::move(candidate.rs),
                      std::move(candidate.ds)});
  }

  // The new concepts join the end of the store, in the order they were
  // accepted; the store grows once, to the exact size.
  void append_new_concepts() {
    store_.reserve(store_.size() + fresh_.size());
    for (NewSets& sets : fresh_) {
      TriConcept& added = store_.emplace_back();
      added.us = std::move(sets.us);
      added.ts = std::move(sets.ts);
      added.rs = std::move(sets.rs);
      added.ds = std::move(sets.ds);
    }
    fresh_ = {};
  }

  std::vector<TriConcept>& store_;
  const Thresholds thresholds_;
  const ExtensionRoles roles_;
  const std::size_t n_;
  std::vector<char> alive_;
  std::vector<char> gate_ok_;
  SortedSets sorted_;          // kSlots slots per id: U, T, third, grown
  std::vector<char> repeats_;  // per slot: the list holds a repeated element
  // Gated concepts only; beside each id, the signatures of its other two
  // compared sets, in set order.
  SignedPostings postings_[kCompared];
  std::vector<std::span<const SignedId>> later_[kCompared];  // see later_postings()
  std::vector<std::size_t> left_out_from_;                   // scratch of gather_neighbours()
  // Per id: the signatures of its compared sets.
  struct Signature {
    std::uint64_t bits[kCompared] = {};
  };
  std::vector<Signature> signatures_;
  bool sharing_required_ = true;
  std::vector<std::uint32_t> neighbours_;
  ElementMarks grown_marks_;  // elements of the current concept's grown list
  ElementMarks union_marks_;
  std::vector<int> common_sorted_[kCompared];  // U, T, third
  std::vector<int> grown_sorted_, union_sorted_;
  // Candidates met for the first time during the current concept's scan,
  // waiting for FreshIndex (see decide_waiting()): the neighbour they come
  // from and their four sorted sets, U, T, R, D, one after the other from
  // `begin` in waiting_sets_.
  struct Waiting {
    std::uint32_t k = 0;
    std::uint64_t ticket = 0;
    std::size_t begin = 0;
    std::size_t sizes[4] = {};
  };
  std::vector<Waiting> waiting_;
  std::vector<int> waiting_sets_;
  // Candidates decided on during the current concept's scan since its grown
  // list last changed: the bitsets of its common lists, then what the
  // neighbour added to the grown list.
  WordKeys decided_;
  std::vector<std::uint64_t> key_;
  FreshIndex fresh_index_{FreshIndex::kU | FreshIndex::kT | FreshIndex::kR | FreshIndex::kD};
  // A new concept waiting to join the store: its four sets only (the other
  // members of a record stay empty), so that waiting costs less than a record.
  struct NewSets {
    std::vector<int> us, ts, rs, ds;
  };
  std::vector<NewSets> fresh_;
};

void extend(const char* name, const Thresholds& thresholds, const ExtensionRoles& roles) {
  progress_begin(name, ens_tc.size());
  ExtensionPass(ens_tc, thresholds, roles).run();
  progress_end();
}

}  // namespace

void find_rs() {
  const Thresholds thresholds = thresholds_from_globals();
  indices_rs.clear();
  extend("resource pass", thresholds,
         {&TriConcept::rs, &TriConcept::ts, thresholds.t, &TriConcept::ds, thresholds.d, false});
}

void find_ds() {
  const Thresholds thresholds = thresholds_from_globals();
  indices_ds.clear();
  extend("D pass", thresholds,
         {&TriConcept::ds, &TriConcept::rs, thresholds.r, &TriConcept::rs, thresholds.r, true});
}
