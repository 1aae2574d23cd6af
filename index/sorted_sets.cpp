#include "index/sorted_sets.h"

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <utility>

namespace quadmine {

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

bool sorted_intersect(std::span<const int> a, std::span<const int> b) {
  if (a.size() > b.size()) std::swap(a, b);
  if (8 * a.size() < b.size()) {
    for (const int x : a) {
      if (sorted_contains(b, x)) return true;
    }
    return false;
  }
  for (std::size_t i = 0, j = 0; i < a.size() && j < b.size();) {
    if (a[i] == b[j]) return true;
    if (a[i] < b[j]) {
      ++i;
    } else {
      ++j;
    }
  }
  return false;
}

void sorted_intersection(std::span<const int> a, std::span<const int> b, std::vector<int>& out) {
  out.clear();
  if (a.size() > b.size()) std::swap(a, b);
  if (8 * a.size() < b.size()) {  // far apart in size: look each one up
    for (const int x : a) {
      if (sorted_contains(b, x)) out.push_back(x);
    }
    return;
  }
  std::set_intersection(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(out));
}

std::size_t common_bits(std::span<const int> mine, std::span<const int> theirs,
                        std::vector<std::uint64_t>& words) {
  const std::size_t first = words.size();
  words.resize(first + (mine.size() + 63) / 64, 0);
  std::uint64_t* const bits = words.data() + first;
  std::size_t count = 0;
  const auto mark = [&](std::size_t i) {
    bits[i / 64] |= 1ull << (i % 64);
    ++count;
  };
  if (8 * mine.size() < theirs.size()) {  // far apart in size: look each one up
    for (std::size_t i = 0; i < mine.size(); ++i) {
      if (sorted_contains(theirs, mine[i])) mark(i);
    }
    return count;
  }
  if (8 * theirs.size() < mine.size()) {
    for (const int y : theirs) {
      const auto at = std::lower_bound(mine.begin(), mine.end(), y);
      if (at != mine.end() && *at == y) mark(static_cast<std::size_t>(at - mine.begin()));
    }
    return count;
  }
  for (std::size_t i = 0, j = 0; i < mine.size() && j < theirs.size();) {
    if (mine[i] < theirs[j]) {
      ++i;
    } else if (theirs[j] < mine[i]) {
      ++j;
    } else {
      mark(i);
      ++i;
      ++j;
    }
  }
  return count;
}

void elements_of_bits(std::span<const int> mine, std::span<const std::uint64_t> bits,
                      std::vector<int>& out) {
  for (std::size_t i = 0; i < mine.size(); ++i) {
    if ((bits[i / 64] >> (i % 64)) & 1) out.push_back(mine[i]);
  }
}

void sorted_union(std::span<const int> a, std::span<const int> b, std::vector<int>& out) {
  out.clear();
  std::set_union(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(out));
}

std::size_t occurrences_in(std::span<const int> list, std::span<const int> sorted) {
  std::size_t count = 0;
  for (const int x : list) count += sorted_contains(sorted, x) ? 1 : 0;
  return count;
}

std::uint32_t SortedSets::add(std::span<const int> set) {
  const std::size_t from = pool_.size();
  pool_.insert(pool_.end(), set.begin(), set.end());
  sort_distinct_tail(pool_, from);
  starts_.push_back(pool_.size());
  return static_cast<std::uint32_t>(starts_.size() - 2);
}

}  // namespace quadmine
