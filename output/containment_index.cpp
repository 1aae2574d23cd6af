#include "output/containment_index.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

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

std::array<std::uint32_t, kSets> sizes_of(const TriConcept& c) {
  const std::size_t sizes[kSets] = {c.us.size(), c.ts.size(), c.rs.size(), c.ds.size()};
  std::array<std::uint32_t, kSets> narrow{};
  for (int set = 0; set < kSets; ++set) {
    if (sizes[set] > UINT32_MAX) throw std::length_error("set too large to index");
    narrow[static_cast<std::size_t>(set)] = static_cast<std::uint32_t>(sizes[set]);
  }
  return narrow;
}

// Makes `ring` link the ids of each group of equal sets, ascending (see
// next_same_sets): `hashes` holds a hash of the sets of each id, and
// same_sets(a, b) tells whether ids a and b have the same sets.
template <typename SameSets>
void group_equal_sets(std::vector<std::pair<std::uint64_t, std::uint32_t>>& hashes,
                      const SameSets& same_sets, std::vector<std::uint32_t>& ring) {
  std::sort(hashes.begin(), hashes.end());
  ring.resize(hashes.size());
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

}  // namespace

ContainmentIndex::ContainmentIndex(const std::vector<TriConcept>& store)
    : alive_(store.size(), 1),
      plain_(store.size(), 1),
      signatures_(store.size(), 0),
      sizes_(store.size()) {
  // The list of each element of each concept is noted (and counted) in a
  // first walk; the lists are then laid out one after the other and filled
  // from the notes, ids ascending. Two concepts have the same distinct sets
  // exactly when their notes are the same.
  std::vector<std::pair<std::uint64_t, std::uint32_t>> hashes(store.size());
  std::vector<std::uint32_t> notes;
  std::vector<std::size_t> notes_ends{0};  // per concept, into notes
  notes_ends.reserve(store.size() + 1);
  DistinctSets d;
  for (std::uint32_t id = 0; id < store.size(); ++id) {
    d.assign(store[id]);
    sizes_[id] = sizes_of(store[id]);
    plain_[id] = d.plain() ? 1 : 0;
    hashes[id] = {d.hash(), id};
    for (int set = 0; set < kSets; ++set) {
      for (const int x : d.set(set)) {
        const auto fresh = static_cast<std::uint32_t>(list_starts_.size());
        const std::uint32_t list = list_of_[set].emplace(x, fresh);
        if (list == fresh) list_starts_.push_back(0);
        ++list_starts_[list];
        notes.push_back(list);
        signatures_[id] |= signature_bit(static_cast<unsigned>(set), x);
      }
    }
    notes_ends.push_back(notes.size());
  }
  // list_starts_[l] becomes the end of list l, then moves down to its start
  // as the list is filled.
  std::size_t end = 0;
  for (std::size_t& start : list_starts_) start = end += start;
  list_starts_.push_back(end);
  holder_ids_.resize(end);
  for (std::uint32_t id = static_cast<std::uint32_t>(store.size()); id-- > 0;) {
    for (std::size_t k = notes_ends[id]; k < notes_ends[id + 1]; ++k) {
      holder_ids_[--list_starts_[notes[k]]] = id;
    }
  }
  block_signatures_.assign((holder_ids_.size() + kBlock - 1) / kBlock, 0);
  for (std::size_t k = 0; k < holder_ids_.size(); ++k) {
    block_signatures_[k / kBlock] |= signatures_[holder_ids_[k]];
  }
  const auto same_notes = [&](std::uint32_t a, std::uint32_t b) {
    return std::equal(notes.begin() + static_cast<std::ptrdiff_t>(notes_ends[a]),
                      notes.begin() + static_cast<std::ptrdiff_t>(notes_ends[a + 1]),
                      notes.begin() + static_cast<std::ptrdiff_t>(notes_ends[b]),
                      notes.begin() + static_cast<std::ptrdiff_t>(notes_ends[b + 1]));
  };
  group_equal_sets(hashes, same_notes, ring_);
}

ContainmentIndex::Containers::Containers(const ContainmentIndex& index, std::size_t id,
                                         std::span<const IdList> lists,
                                         std::vector<std::size_t>& cursors)
    : index_(index), lists_(lists), cursors_(cursors), needed_(index.signatures_[id]) {
  cursors_.assign(lists.size(), 0);
  at_ = end_ = passed_ = 0;
  if (lists.empty()) return;
  at_ = passed_ = static_cast<std::size_t>(lists[0].data() - index.holder_ids_.data());
  end_ = at_ + lists[0].size();
}

bool ContainmentIndex::Containers::next(std::uint32_t& id) {
  const auto has_needed = [&](std::uint64_t bits) { return (bits & needed_) == needed_; };
  while (at_ < end_) {
    if (at_ >= passed_) {
      const std::size_t block_end = std::min(end_, (at_ / kBlock + 1) * kBlock);
      if (!has_needed(index_.block_signatures_[at_ / kBlock])) {
        at_ = block_end;
        continue;
      }
      passed_ = block_end;
    }
    const std::uint32_t x = index_.holder_ids_[at_++];
    if (!has_needed(index_.signatures_[x])) continue;
    bool everywhere = true;
    for (std::size_t l = 1; l < lists_.size() && everywhere; ++l) {
      const IdList list = lists_[l];
      const auto from = list.begin() + static_cast<std::ptrdiff_t>(cursors_[l]);
      cursors_[l] = static_cast<std::size_t>(std::lower_bound(from, list.end(), x) - list.begin());
      if (cursors_[l] == list.size()) {
        at_ = end_;
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
                                                       std::span<const IdList> lists,
                                                       std::vector<std::size_t>& cursors) const {
  Containers containers(*this, id, lists, cursors);
  for (std::uint32_t other = 0; containers.next(other);) {
    if (other != id && !same_sizes(id, other)) return other;
  }
  return kNoContainer;
}

IdList ContainmentIndex::holders(int set, int x) const {
  const std::uint32_t list = list_of_[set].find(x);
  if (list == FlatIntMap::kAbsent) return {};
  return {holder_ids_.data() + list_starts_[list], list_starts_[list + 1] - list_starts_[list]};
}

void ContainmentIndex::holder_lists(const TriConcept& c, std::vector<IdList>& lists) const {
  const std::vector<int>* sets[kSets] = {&c.us, &c.ts, &c.rs, &c.ds};
  lists.clear();
  for (int set = 0; set < kSets; ++set) {
    for (const int x : *sets[set]) lists.push_back(holders(set, x));
  }
  // A repeated element gives the same list twice: it is kept once.
  std::sort(lists.begin(), lists.end(), [](const IdList& a, const IdList& b) {
    return a.size() != b.size() ? a.size() < b.size() : a.data() < b.data();
  });
  lists.erase(std::unique(lists.begin(), lists.end(),
                          [](const IdList& a, const IdList& b) {
                            return a.data() == b.data() && a.size() == b.size();
                          }),
              lists.end());
}

}  // namespace quadmine
