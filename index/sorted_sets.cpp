#include "index/sorted_sets.h"

#include <algorithm>

void sort_distinct(std::span<const int> set, std::vector<int>& out) {
  out.assign(set.begin(), set.end());
  std::sort(out.begin(), out.end());
  out.erase(std::unique(out.begin(), out.end()), out.end());
}

bool sorted_includes(std::span<const int> a, std::span<const int> b) {
  if (a.size() > b.size()) return false;
  if (a.size() <= 4) {
    for (const int x : a) {
      if (!sorted_contains(b, x)) return false;
    }
    return true;
  }
  return std::includes(b.begin(), b.end(), a.begin(), a.end());
}

bool sorted_contains(std::span<const int> set, int x) {
  return std::binary_search(set.begin(), set.end(), x);
}

std::uint32_t SortedSets::add(std::span<const int> set) {
  const auto begin = pool_.insert(pool_.end(), set.begin(), set.end());
  std::sort(begin, pool_.end());
  pool_.erase(std::unique(begin, pool_.end()), pool_.end());
  starts_.push_back(pool_.size());
  return static_cast<std::uint32_t>(starts_.size() - 2);
}
