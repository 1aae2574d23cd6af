#include "output/containment_index.h"

#include <algorithm>

ContainmentIndex::ContainmentIndex(const std::vector<TriConcept>& store) : alive_(store.size(), 1) {
  for (std::size_t id = 0; id < store.size(); ++id) {
    const TriConcept& c = store[id];
    const std::vector<int>* lists[kSets] = {&c.us, &c.ts, &c.rs, &c.ds};
    std::uint64_t& bits = signatures_.emplace_back(0);
    for (int set = 0; set < kSets; ++set) {
      const std::uint32_t slot = sets_.add(*lists[set]);
      for (const int x : sets_.get(slot)) {
        holders_[set].add(x, static_cast<std::uint32_t>(id));
        bits |= signature_bit(static_cast<unsigned>(set), x);
      }
    }
  }
  group_equal_sets();
}

void ContainmentIndex::holder_lists(std::size_t id, std::vector<IdList>& lists) const {
  lists.clear();
  for (int set = 0; set < kSets; ++set) {
    for (const int x : distinct(id, set)) lists.push_back(holders_[set].of(x));
  }
  std::sort(lists.begin(), lists.end(),
            [](const IdList& a, const IdList& b) { return a.size() < b.size(); });
}

IdList ContainmentIndex::same_sets(std::size_t id) const {
  const std::uint32_t start = group_of_[id];
  return {members_.data() + start, group_end_[start] - start};
}

bool ContainmentIndex::same_distinct_sets(std::size_t a, std::size_t b) const {
  for (int set = 0; set < kSets; ++set) {
    const auto sa = distinct(a, set);
    const auto sb = distinct(b, set);
    if (!std::equal(sa.begin(), sa.end(), sb.begin(), sb.end())) return false;
  }
  return true;
}

std::uint64_t ContainmentIndex::hash_sets(std::size_t id) const {
  std::uint64_t h = 0x9e3779b97f4a7c15ull;
  for (int set = 0; set < kSets; ++set) {
    h = (h ^ distinct(id, set).size()) * 0xff51afd7ed558ccdull;
    for (const int x : distinct(id, set)) {
      h = (h ^ static_cast<std::uint32_t>(x)) * 0x100000001b3ull + (h >> 31);
    }
  }
  return h;
}

void ContainmentIndex::group_equal_sets() {
  const std::size_t n = alive_.size();
  std::vector<std::uint64_t> hashes(n);
  for (std::size_t id = 0; id < n; ++id) hashes[id] = hash_sets(id);
  members_.resize(n);
  for (std::uint32_t id = 0; id < n; ++id) members_[id] = id;
  std::sort(members_.begin(), members_.end(), [&](std::uint32_t a, std::uint32_t b) {
    return hashes[a] != hashes[b] ? hashes[a] < hashes[b] : a < b;
  });
  // Within a run of equal hashes, each group is gathered in place; a stable
  // partition keeps the ids of every group ascending.
  group_of_.assign(n, 0);
  group_end_.assign(n, 0);
  for (std::size_t run = 0; run < n;) {
    std::size_t run_end = run + 1;
    while (run_end < n && hashes[members_[run_end]] == hashes[members_[run]]) ++run_end;
    for (std::size_t start = run; start < run_end;) {
      const std::uint32_t head = members_[start];
      const auto first_other =
          std::stable_partition(members_.begin() + static_cast<std::ptrdiff_t>(start),
                                members_.begin() + static_cast<std::ptrdiff_t>(run_end),
                                [&](std::uint32_t id) { return same_distinct_sets(id, head); });
      const auto end = static_cast<std::size_t>(first_other - members_.begin());
      for (std::size_t k = start; k < end; ++k)
        group_of_[members_[k]] = static_cast<std::uint32_t>(start);
      group_end_[start] = static_cast<std::uint32_t>(end);
      start = end;
    }
    run = run_end;
  }
}
