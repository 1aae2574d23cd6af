#include "output/containment_index.h"

#include <algorithm>
#include <utility>

ContainmentIndex::ContainmentIndex(const std::vector<TriConcept>& store)
    : alive_(store.size(), 1) {
  offsets_.reserve(4 * store.size() + 1);
  offsets_.push_back(0);
  for (std::size_t id = 0; id < store.size(); ++id) {
    const TriConcept& c = store[id];
    for (const std::vector<int>* set : {&c.us, &c.ts, &c.rs, &c.ds}) {
      const auto begin = pool_.insert(pool_.end(), set->begin(), set->end());
      std::sort(begin, pool_.end());
      pool_.erase(std::unique(begin, pool_.end()), pool_.end());
      offsets_.push_back(pool_.size());
    }
  }
  std::vector<std::pair<int, std::uint32_t>> holders;
  for (int dim = 0; dim < 4; ++dim) {
    holders.clear();
    for (std::size_t id = 0; id < store.size(); ++id) {
      for (const int x : distinct(id, dim)) holders.emplace_back(x, static_cast<std::uint32_t>(id));
    }
    std::sort(holders.begin(), holders.end());
    for (std::size_t k = 0; k < holders.size(); ++k) {
      if (k == 0 || holders[k].first != holders[k - 1].first) {
        values_[dim].push_back(holders[k].first);
        value_starts_[dim].push_back(k);
      }
      posted_[dim].push_back(holders[k].second);
    }
    value_starts_[dim].push_back(posted_[dim].size());
  }
}

std::span<const int> ContainmentIndex::distinct(std::size_t id, int dim) const {
  const std::size_t slot = 4 * id + static_cast<std::size_t>(dim);
  return {pool_.data() + offsets_[slot], offsets_[slot + 1] - offsets_[slot]};
}

bool ContainmentIndex::included(std::size_t a, std::size_t b, int dim) const {
  const auto sa = distinct(a, dim);
  const auto sb = distinct(b, dim);
  if (sa.size() > sb.size()) return false;
  return std::includes(sb.begin(), sb.end(), sa.begin(), sa.end());
}

std::span<const std::uint32_t> ContainmentIndex::postings(int dim, int value) const {
  const std::vector<int>& values = values_[dim];
  const auto it = std::lower_bound(values.begin(), values.end(), value);
  if (it == values.end() || *it != value) return {};
  const std::size_t k = static_cast<std::size_t>(it - values.begin());
  const std::vector<std::size_t>& starts = value_starts_[dim];
  return {posted_[dim].data() + starts[k], starts[k + 1] - starts[k]};
}

ShortestLists ContainmentIndex::candidates(std::size_t id) const {
  ShortestLists lists;
  for (int dim = 0; dim < 4; ++dim) {
    for (const int x : distinct(id, dim)) lists.offer(postings(dim, x));
  }
  return lists;
}
