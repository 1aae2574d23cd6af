#include "index/sorted_sets.h"

#include <algorithm>
#include <cstddef>

namespace {

// Sorts the elements of `v` from position `from` on and drops repetitions
// among them.
void sort_distinct_tail(std::vector<int>& v, std::size_t from) {
  const auto begin = v.begin() + static_cast<std::ptrdiff_t>(from);
  std::sort(begin, v.end());
  v.erase(std::unique(begin, v.end()), v.end());
}

}  // namespace

void sort_distinct(std::span<const int> set, std::vector<int>& out) {
  out.assign(set.begin(), set.end());
  sort_distinct_tail(out, 0);
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
  const std::size_t from = pool_.size();
  pool_.insert(pool_.end(), set.begin(), set.end());
  sort_distinct_tail(pool_, from);
  starts_.push_back(pool_.size());
  return static_cast<std::uint32_t>(starts_.size() - 2);
}
