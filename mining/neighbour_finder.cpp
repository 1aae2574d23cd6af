#include "mining/neighbour_finder.h"

#include <algorithm>
#include <bit>
#include <functional>
#include <iterator>

#include "index/sorted_sets.h"

namespace quadmine {

namespace {

// Whether `bits` has at least `n` bits set (n is small: clearing the lowest
// bit n - 1 times is cheaper than counting them all where the processor has no
// population count instruction).
bool holds_bits(std::uint32_t bits, int n) {
  if (n == 0) return true;
  for (int i = 1; i < n; ++i) bits &= bits - 1;
  return bits != 0;
}

}  // namespace

NeighbourFinder::NeighbourFinder(const PassIndex& index, std::size_t found_per_buffer,
                                 std::size_t concepts_per_buffer)
    : index_(index),
      found_per_buffer_(std::max<std::size_t>(found_per_buffer, 1)),
      concepts_per_buffer_(std::max<std::size_t>(concepts_per_buffer, 1)),
      passed_(index.postings().lists(), 0) {}

std::size_t NeighbourFinder::find(std::uint32_t cur, Neighbours& out, bool compare) {
  gather(cur);
  if (compare) {
    compare_candidates(index_, cur, candidates_, out, [](std::uint32_t) { return true; });
  } else {
    out.found.insert(out.found.end(), candidates_.begin(), candidates_.end());
  }
  out.curs.push_back({cur, out.found.size(), compare});
  return compare ? candidates_.size() : 0;
}

bool NeighbourFinder::fill(Neighbours& buffer, AheadState& state) {
  buffer.clear();
  for (; next_ < index_.size() && buffer.found.size() < found_per_buffer_ &&
         buffer.curs.size() < concepts_per_buffer_;
       ++next_) {
    if (!index_.gate_ok(next_)) continue;
    state.count_work(find(next_, buffer, state.consumer_supplied()));
  }
  return !buffer.curs.empty();
}

// The entries of x's list in compared set s whose id is above `cur`. The
// calls come with ids that never decrease, so each list keeps how far the
// earlier calls got (passed_), and the whole sequence of calls costs the
// length of the lists.
std::span<const SignedId> NeighbourFinder::entries_after(std::uint32_t s, int x,
                                                         std::uint32_t cur) {
  const std::uint32_t list = index_.postings().find(s, x);
  if (list == Postings<SignedId>::kAbsent) return {};
  const std::span<const SignedId> entries = index_.postings().list(list);
  std::uint32_t& passed = passed_[list];
  while (passed < entries.size() && entries[passed].id <= cur) ++passed;
  return entries.subspan(passed);
}

// Keeps in later_[s] the postings above `cur` of the elements of its set s,
// and returns how many entries a walk over them visits. A later concept that
// matters holds shared_needed() of those elements, so it occurs in at least
// one list when the shared_needed() - 1 longest are left out: those go last,
// and the walk skips them.
std::size_t NeighbourFinder::later_postings(std::uint32_t cur, std::uint32_t s) {
  std::vector<std::span<const SignedId>>& later = later_[s];
  later.clear();
  for (const int x : index_.sorted(cur, s)) later.push_back(entries_after(s, x, cur));
  const std::size_t skipped = shared_needed(cur, s) - 1;
  if (skipped > 0) {
    std::sort(later.begin(), later.end(),
              [](const auto& a, const auto& b) { return a.size() < b.size(); });
  }
  std::size_t cost = 0;
  for (std::size_t l = 0; l + skipped < later.size(); ++l) cost += later[l].size();
  return cost;
}

// Appends to candidates_ each id of later_[known] (the postings above `cur`
// of cur's set `known`) whose signatures may share enough elements with
// cur's in the other compared sets; an id held by several elements is
// appended once per element.
void NeighbourFinder::walk_later_postings(std::uint32_t cur, std::uint32_t known) {
  std::uint32_t mine[2];
  int bits_needed[2];
  for (std::uint32_t o = 0; o < 2; ++o) {
    const std::uint32_t s = other_compared(known, o);
    mine[o] = fold_signature(index_.signature(cur, s));
    bits_needed[o] = bits_for_shared(cur, s);
  }
  const std::size_t walked = later_[known].size() - (shared_needed(cur, known) - 1);
  for (const std::span<const SignedId> later : std::span(later_[known]).first(walked)) {
    for (const SignedId& e : later) {
      if (holds_bits(mine[0] & e.bits[0], bits_needed[0]) &&
          holds_bits(mine[1] & e.bits[1], bits_needed[1])) {
        candidates_.push_back({.id = e.id});
      }
    }
  }
}

// Fewest elements of the current concept's set s that a later concept must
// hold to matter to it: all of them to contain it, the threshold to make a
// new concept with it (one, when a repeated element may count twice).
std::size_t NeighbourFinder::shared_needed(std::uint32_t cur, std::uint32_t s) const {
  const std::size_t size = index_.sorted(cur, s).size();
  if (index_.repeats(cur, s)) return std::min<std::size_t>(1, size);
  return std::min(size, static_cast<std::size_t>(index_.threshold_of(s)));
}

// Fewest bits of the current concept's folded signature of set s that the
// elements counted by shared_needed() cover: several elements may share a
// bit, so the largest groups of elements per bit are counted first.
int NeighbourFinder::bits_for_shared(std::uint32_t cur, std::uint32_t s) const {
  const std::size_t needed = shared_needed(cur, s);
  if (needed <= 1) return static_cast<int>(needed);
  std::uint32_t per_bit[32] = {};
  for (const int x : index_.sorted(cur, s)) {
    ++per_bit[std::countr_zero(fold_signature(signature_bit(s, x)))];
  }
  std::sort(std::begin(per_bit), std::end(per_bit), std::greater<>());
  int bits = 0;
  for (std::size_t covered = 0; covered < needed; covered += per_bit[bits++]) {
  }
  return bits;
}

// Ids above `cur`, in ascending order, among which are all those that share
// enough elements with it in each compared set (found through the set whose
// walk is shortest).
void NeighbourFinder::gather(std::uint32_t cur) {
  candidates_.clear();
  int best = -1;
  std::size_t best_cost = 0;
  for (std::uint32_t s = 0; s < kCompared; ++s) {
    if (index_.sorted(cur, s).empty()) continue;
    const std::size_t cost = later_postings(cur, s);
    if (best < 0 || cost < best_cost) {
      best = static_cast<int>(s);
      best_cost = cost;
    }
  }
  if (best < 0 || !index_.sharing_required()) {  // every later concept may matter
    for (std::uint32_t k = cur + 1; k < index_.size(); ++k) {
      if (index_.gate_ok(k)) candidates_.push_back({.id = k});
    }
    return;
  }
  const auto known = static_cast<std::uint32_t>(best);
  walk_later_postings(cur, known);
  std::sort(candidates_.begin(), candidates_.end(),
            [](const auto& a, const auto& b) { return a.id < b.id; });
  // An id occurs once per walked list that holds it; the lists left out are
  // searched for it.
  const std::size_t needed = shared_needed(cur, known);
  const std::span<const std::span<const SignedId>> left_out =
      std::span(later_[known]).last(needed - 1);
  left_out_from_.assign(left_out.size(), 0);
  std::size_t kept = 0;
  for (std::size_t first = 0; first < candidates_.size();) {
    const std::uint32_t k = candidates_[first].id;
    std::size_t end = first + 1;
    while (end < candidates_.size() && candidates_[end].id == k) ++end;
    std::size_t shared = end - first;
    for (std::size_t l = 0; l < left_out.size() && shared < needed; ++l) {
      const auto rest = left_out[l].subspan(left_out_from_[l]);
      const auto at =
          std::lower_bound(rest.begin(), rest.end(), k,
                           [](const SignedId& e, std::uint32_t id) { return e.id < id; });
      left_out_from_[l] += static_cast<std::size_t>(at - rest.begin());
      if (at != rest.end() && at->id == k) ++shared;
    }
    if (shared >= needed) candidates_[kept++] = candidates_[first];
    first = end;
  }
  candidates_.resize(kept);
}

// A k that shares no element with `cur` in a compared set where it has one
// does nothing for it.
bool compare_concepts(const PassIndex& index, std::uint32_t cur, std::uint32_t k, Neighbours& out) {
  const std::size_t words = out.bits.size();
  bool contained = true;
  bool builds = true;
  for (std::uint32_t s = 0; s < kCompared && (contained || builds); ++s) {
    const std::span<const int> mine = index.sorted(cur, s);
    const std::size_t shared = common_bits(mine, index.sorted(k, s), out.bits);
    if (shared == 0 && !mine.empty() && index.sharing_required()) {
      contained = builds = false;
      break;
    }
    contained = contained && shared == mine.size();
    if (builds && index.repeats(cur, s)) {  // a repeated element counts each time
      builds = reaches(occurrences_in(index.list_with_repeats(cur, s), index.sorted(k, s)),
                       index.threshold_of(s));
    } else {
      builds = builds && reaches(shared, index.threshold_of(s));
    }
  }
  if (!contained && !builds) {
    out.bits.resize(words);
    return false;
  }
  out.found.push_back({k, contained, builds, words});
  return true;
}

}  // namespace quadmine
