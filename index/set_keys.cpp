#include "index/set_keys.h"

#include <algorithm>
#include <vector>

namespace quadmine {

std::uint64_t SetKeys::hash(std::span<const std::span<const int>> sets) {
  // Each set's elements are mixed independently and summed (the sets are
  // sorted, so equal sets give equal sums), which keeps the multiplications
  // of one set out of each other's way; the sums are folded set by set.
  std::uint64_t h = sets.size();
  for (const auto set : sets) {
    std::uint64_t sum = set.size();
    for (const int x : set) sum += mix_key(static_cast<std::uint32_t>(x));
    h = mix_key(h ^ sum);
  }
  return h;
}

bool SetKeys::insert(std::span<const std::span<const int>> sets, std::uint64_t hash) {
  std::size_t length = 0;
  for (const auto set : sets) length += 1 + set.size();
  // The encodings of two tuples of one length are equal only for equal
  // tuples: each size tells where the next set starts.
  const auto equal = [sets](const int* stored) {
    for (const auto set : sets) {
      if (*stored != static_cast<int>(set.size())) return false;
      if (!std::equal(set.begin(), set.end(), stored + 1)) return false;
      stored += 1 + set.size();
    }
    return true;
  };
  const auto append = [sets](std::vector<int>& pool) {
    for (const auto set : sets) {
      pool.push_back(static_cast<int>(set.size()));
      pool.insert(pool.end(), set.begin(), set.end());
    }
  };
  return keys_.insert(hash, length, equal, append);
}

}  // namespace quadmine
