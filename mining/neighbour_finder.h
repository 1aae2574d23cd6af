// NeighbourFinder: for one concept of a resource or D pass, the later
// concepts that can change something for it, and how each compares with it.
//
// A later concept matters only if it contains the current one in the three
// compared sets (it may give its grown list) or if their common lists reach
// the thresholds (a new concept). Both need shared elements in each compared
// set where the current concept has one, so the finder walks the postings of
// the current concept's elements in the compared set where they are shortest,
// lets the signatures reject most ids without visiting them, and compares
// the rest.
//
// It reads only the PassIndex, through a const reference: the sets as the
// pass found them, which the pass never changes (the pass changes the store,
// which the finder cannot reach). Its cursors over the postings are its own.
// So it is the producer of a WorkAhead (threads/work_ahead.h) and runs ahead
// of the pass in a second thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "mining/pass_index.h"
#include "threads/work_ahead.h"

namespace quadmine {

// What the finder found for a run of current concepts, in their order: for
// each, the later ids that may matter, ascending, either compared (only
// those that do matter, each with its comparison and, from `words` in
// `bits`, which elements of the current concept's sorted U, T and third sets
// it holds: a bitset per set, see common_bits()) or, when the finder left
// that to the reader, as candidates to compare (compare_candidates()).
struct Neighbours {
  struct Found {
    std::uint32_t id = 0;
    bool contained = false;  // holds every element of the three compared sets
    bool builds = false;     // the common lists reach their thresholds
    std::size_t words = 0;
  };
  // found[end of the previous one, end) are those of `cur`.
  struct Of {
    std::uint32_t cur = 0;
    std::size_t end = 0;
    bool compared = true;
  };
  std::vector<Of> curs;
  std::vector<Found> found;
  std::vector<std::uint64_t> bits;

  void clear() {
    curs.clear();
    found.clear();
    bits.clear();
  }
};

// Compares concept `cur` with a later concept k. When k can do something for
// `cur` (contain it, or make a new concept with it), appends it to `out` with
// the bitsets of cur's elements it holds and returns true.
bool compare_concepts(const PassIndex& index, std::uint32_t cur, std::uint32_t k, Neighbours& out);

// Compares `cur` with each of `candidates` (ascending) that `wanted` accepts,
// fetching the sets of the next ones ahead of time; appends those that matter
// to `out` (their concept's end is left to the caller).
template <typename Wanted>
void compare_candidates(const PassIndex& index, std::uint32_t cur,
                        std::span<const Neighbours::Found> candidates, Neighbours& out,
                        Wanted&& wanted) {
  constexpr std::size_t kAhead = 8;  // candidates whose sets are fetched in advance
  for (std::size_t n = 0; n < candidates.size(); ++n) {
    if (n + 2 * kAhead < candidates.size()) index.prefetch_start(candidates[n + 2 * kAhead].id);
    if (n + kAhead < candidates.size()) index.prefetch_sets(candidates[n + kAhead].id);
    if (wanted(candidates[n].id)) compare_concepts(index, cur, candidates[n].id, out);
  }
}

class NeighbourFinder {
 public:
  using Buffer = Neighbours;

  // fill() closes a buffer once it holds `found_per_buffer` results or
  // `concepts_per_buffer` concepts (0 counts as 1).
  NeighbourFinder(const PassIndex& index, std::size_t found_per_buffer,
                  std::size_t concepts_per_buffer);

  // Appends to `out` what matters to `cur` of the concepts after it, alive
  // or not (the pass skips those it erased), compared or, without `compare`,
  // as candidates. Successive calls must come with ascending ids. Returns the
  // number of candidates it compared.
  std::size_t find(std::uint32_t cur, Neighbours& out, bool compare = true);

  // As a producer of a WorkAhead: makes `buffer` the results of the next
  // gated concepts, in id order, up to the sizes given; false once every
  // concept is done. It compares the candidates itself while the pass has
  // results to read (AheadState::consumer_supplied()), and leaves that to the
  // pass when the pass is about to wait, so that neither thread idles while
  // the other works; in one thread it leaves them to the pass, which skips
  // the candidates it erased. The candidates it compares count as its work.
  bool fill(Neighbours& buffer, AheadState& state);

 private:
  std::span<const SignedId> entries_after(std::uint32_t s, int x, std::uint32_t cur);
  std::size_t later_postings(std::uint32_t cur, std::uint32_t s);
  void walk_later_postings(std::uint32_t cur, std::uint32_t known);
  std::size_t shared_needed(std::uint32_t cur, std::uint32_t s) const;
  int bits_for_shared(std::uint32_t cur, std::uint32_t s) const;
  void gather(std::uint32_t cur);

  const PassIndex& index_;
  const std::size_t found_per_buffer_;
  const std::size_t concepts_per_buffer_;
  std::uint32_t next_ = 0;                                   // the next id fill() looks at
  std::vector<std::uint32_t> passed_;                        // see entries_after()
  std::vector<std::span<const SignedId>> later_[kCompared];  // see later_postings()
  std::vector<std::size_t> left_out_from_;                   // scratch of gather()
  std::vector<Neighbours::Found> candidates_;                // scratch of gather()
};

}  // namespace quadmine
