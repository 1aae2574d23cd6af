#include "output/containment_index.h"

#include <algorithm>
#include <utility>

#include "index/signature.h"

namespace quadmine {

namespace {

constexpr int kSets = ContainmentIndex::kSets;

// The sorted distinct elements of the four sets of one concept, one after the
// other.
class DistinctSets {
 public:
  void assign(const TriConcept& c) {
    const std::vector<int>* sets[kSets] = {&c.us, &c.ts, &c.rs, &c.ds};
    std::size_t total = 0;
    for (const std::vector<int>* set : sets) total += set->size();
    if (elements_.size() < total) elements_.resize(total);
    int* const out = elements_.data();
    std::size_t n = 0;
    plain_ = true;
    for (int set = 0; set < kSets; ++set) {
      const std::size_t from = n;
      const std::size_t size = sets[set]->size();
      std::copy(sets[set]->begin(), sets[set]->end(), out + from);
      n = from + size;
      if (size > 1) {
        std::sort(out + from, out + n);
        n = static_cast<std::size_t>(std::unique(out + from, out + n) - out);
      }
      plain_ = plain_ && n - from == size;
      ends_[set] = n;
    }
  }

  std::span<const int> set(int s) const {
    const std::size_t begin = s == 0 ? 0 : ends_[s - 1];
    return {elements_.data() + begin, ends_[s] - begin};
  }

  // Whether no set repeats an element.
  bool plain() const { return plain_; }

  std::uint64_t hash() const {
    std::uint64_t h = 0x9e3779b97f4a7c15ull;
    for (int s = 0; s < kSets; ++s) {
      h = (h ^ set(s).size()) * 0xff51afd7ed558ccdull;
      for (const int x : set(s))
        h = (h ^ static_cast<std::uint32_t>(x)) * 0x100000001b3ull + (h >> 31);
    }
    return h;
  }

 private:
  std::vector<int> elements_;
  std::size_t ends_[kSets] = {};
  bool plain_ = true;
};

// The sizes of the four sets of `c`. They fit in 32 bits: the loader refuses
// bases of more than INT_MAX lines, and no set holds more elements than the
// base has lines (an element repeats only where a line of the base repeats,
// and the passes add to a set only the elements it lacks).
std::array<std::uint32_t, kSets> sizes_of(const TriConcept& c) {
  return {static_cast<std::uint32_t>(c.us.size()), static_cast<std::uint32_t>(c.ts.size()),
          static_cast<std::uint32_t>(c.rs.size()), static_cast<std::uint32_t>(c.ds.size())};
}

// Makes `ring` (one entry per id) link the ids of each group of equal sets,
// ascending (see next_same_sets): `hashes` holds a hash of the sets of each
// id, and same_sets(a, b) tells whether ids a and b have the same sets.
template <typename SameSets>
void group_equal_sets(std::vector<std::pair<std::uint64_t, std::uint32_t>>& hashes,
                      const SameSets& same_sets, std::span<std::uint32_t> ring) {
  std::sort(hashes.begin(), hashes.end());
  // Within a run of equal hashes, each group is gathered in place; a stable
  // partition keeps the ids of every group ascending.
  const std::size_t n = hashes.size();
  for (std::size_t run = 0; run < n;) {
    std::size_t run_end = run + 1;
    while (run_end < n && hashes[run_end].first == hashes[run].first) ++run_end;
    for (std::size_t start = run; start < run_end;) {
      const std::uint32_t head = hashes[start].second;
      const auto first = hashes.begin() + static_cast<std::ptrdiff_t>(start);
      const auto last = hashes.begin() + static_cast<std::ptrdiff_t>(run_end);
      const auto with_head = [&](const auto& member) { return same_sets(member.second, head); };
      auto first_other = std::find_if_not(first + 1, last, with_head);
      if (first_other != last) first_other = std::stable_partition(first_other, last, with_head);
      const auto end = static_cast<std::size_t>(first_other - hashes.begin());
      for (std::size_t k = start; k < end; ++k) {
        ring[hashes[k].second] = hashes[k + 1 < end ? k + 1 : start].second;
      }
      start = end;
    }
    run = run_end;
  }
}

// The number of elements of all the sets of `store`, repetitions counted: at
// least the number of ids of all the holder lists.
std::size_t elements_in(const std::vector<TriConcept>& store) {
  std::size_t n = 0;
  for (const TriConcept& c : store) n += c.us.size() + c.ts.size() + c.rs.size() + c.ds.size();
  return n;
}

}  // namespace

// What the first walk over the store notes: the number of the holder list of
// each distinct element of each concept, concept after concept (set after
// set, elements ascending), where each concept's notes end, the number of ids
// each list will hold, and a hash of each concept's distinct sets.
struct ContainmentIndex::Notes {
  std::vector<std::uint32_t> lists;
  std::vector<std::size_t> ends{0};
  std::vector<std::size_t> counts;
  std::vector<std::pair<std::uint64_t, std::uint32_t>> hashes;
};

ContainmentIndex::ContainmentIndex(const std::vector<TriConcept>& store)
    : lists_memory_(std::max<std::size_t>(elements_in(store), 1) * sizeof(std::uint32_t)),
      holders_(kSets, &lists_memory_),
      plain_(store.size(), 1),
      signatures_(store.size(), 0),
      sizes_(store.size()) {
  // Each holder list gets room for exactly its ids, counted in the first
  // walk, and is filled from the notes, ids ascending. Two concepts have the
  // same distinct sets exactly when their notes are the same.
  Notes notes;
  note_concepts(store, notes);
  fill_lists(notes);
  sign_blocks();
  const auto same_notes = [&](std::uint32_t a, std::uint32_t b) {
    const auto begin = notes.lists.begin();
    return std::equal(begin + static_cast<std::ptrdiff_t>(notes.ends[a]),
                      begin + static_cast<std::ptrdiff_t>(notes.ends[a + 1]),
                      begin + static_cast<std::ptrdiff_t>(notes.ends[b]),
                      begin + static_cast<std::ptrdiff_t>(notes.ends[b + 1]));
  };
  ring_.resize(store.size());
  group_equal_sets(notes.hashes, same_notes, std::span(ring_));
}

// The first walk: notes, signatures, sizes, and whether a set repeats.
void ContainmentIndex::note_concepts(const std::vector<TriConcept>& store, Notes& notes) {
  notes.hashes.resize(store.size());
  notes.ends.reserve(store.size() + 1);
  DistinctSets d;
  for (std::uint32_t id = 0; id < store.size(); ++id) {
    d.assign(store[id]);
    sizes_[id] = sizes_of(store[id]);
    plain_[id] = d.plain() ? 1 : 0;
    notes.hashes[id] = {d.hash(), id};
    for (unsigned set = 0; set < kSets; ++set) {
      for (const int x : d.set(static_cast<int>(set))) {
        const std::uint32_t list = holders_.list_of(set, x);
        if (list == notes.counts.size()) notes.counts.push_back(0);
        ++notes.counts[list];
        notes.lists.push_back(list);
        signatures_[id] |= signature_bit(set, x);
      }
    }
    notes.ends.push_back(notes.lists.size());
  }
}

void ContainmentIndex::fill_lists(const Notes& notes) {
  for (std::uint32_t list = 0; list < notes.counts.size(); ++list) {
    holders_.reserve(list, notes.counts[list]);
  }
  for (std::uint32_t id = 0; id + 1 < notes.ends.size(); ++id) {
    for (std::size_t k = notes.ends[id]; k < notes.ends[id + 1]; ++k) {
      holders_.add(notes.lists[k], id);
    }
  }
}

// The union of the signatures of each block of kBlock ids of each list.
void ContainmentIndex::sign_blocks() {
  block_starts_.resize(holders_.lists());
  std::size_t blocks = 0;
  for (std::uint32_t list = 0; list < holders_.lists(); ++list) {
    block_starts_[list] = blocks;
    blocks += (holders(list).size() + kBlock - 1) / kBlock;
  }
  block_signatures_.assign(blocks, 0);
  for (std::uint32_t list = 0; list < holders_.lists(); ++list) {
    const IdList ids = holders(list);
    std::uint64_t* const block = block_signatures_.data() + block_starts_[list];
    for (std::size_t k = 0; k < ids.size(); ++k) block[k / kBlock] |= signatures_[ids[k]];
  }
}

ContainmentIndex::Containers::Containers(const ContainmentIndex& index, std::size_t id,
                                         std::span<const std::uint32_t> lists,
                                         std::vector<std::size_t>& cursors)
    : index_(index), lists_(lists), cursors_(cursors), needed_(index.signatures_[id]) {
  cursors_.assign(lists.size(), 0);
  if (lists.empty()) return;
  first_ = index.holders(lists[0]);
  blocks_ = std::span(index.block_signatures_)
                .subspan(index.block_starts_[lists[0]], (first_.size() + kBlock - 1) / kBlock);
}

bool ContainmentIndex::Containers::next(std::uint32_t& id) {
  const auto has_needed = [&](std::uint64_t bits) { return (bits & needed_) == needed_; };
  while (at_ < first_.size()) {
    if (at_ >= passed_) {
      const std::size_t block_end = std::min(first_.size(), (at_ / kBlock + 1) * kBlock);
      if (!has_needed(blocks_[at_ / kBlock])) {
        at_ = block_end;
        continue;
      }
      passed_ = block_end;
    }
    const std::uint32_t x = first_[at_++];
    if (!has_needed(index_.signatures_[x])) continue;
    bool everywhere = true;
    for (std::size_t l = 1; l < lists_.size() && everywhere; ++l) {
      const IdList list = index_.holders(lists_[l]);
      const auto from = list.begin() + static_cast<std::ptrdiff_t>(cursors_[l]);
      cursors_[l] = static_cast<std::size_t>(std::lower_bound(from, list.end(), x) - list.begin());
      if (cursors_[l] == list.size()) {
        at_ = first_.size();
        return false;
      }
      everywhere = list[cursors_[l]] == x;
    }
    if (everywhere) {
      id = x;
      return true;
    }
  }
  return false;
}

std::uint32_t ContainmentIndex::first_strict_container(std::size_t id,
                                                       std::span<const std::uint32_t> lists,
                                                       std::vector<std::size_t>& cursors) const {
  Containers containers(*this, id, lists, cursors);
  for (std::uint32_t other = 0; containers.next(other);) {
    if (other != id && !same_sizes(id, other)) return other;
  }
  return kNoContainer;
}

void ContainmentIndex::holder_lists(const TriConcept& c, std::vector<std::uint32_t>& lists) const {
  const std::vector<int>* sets[kSets] = {&c.us, &c.ts, &c.rs, &c.ds};
  lists.clear();
  for (unsigned set = 0; set < kSets; ++set) {
    for (const int x : *sets[set]) lists.push_back(holders_.find(set, x));
  }
  // A repeated element gives the same list twice: it is kept once.
  std::sort(lists.begin(), lists.end(), [&](std::uint32_t a, std::uint32_t b) {
    const std::size_t size_a = holders(a).size();
    const std::size_t size_b = holders(b).size();
    return size_a != size_b ? size_a < size_b : a < b;
  });
  lists.erase(std::unique(lists.begin(), lists.end()), lists.end());
}

}  // namespace quadmine
