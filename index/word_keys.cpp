#include "index/word_keys.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace quadmine {

bool WordKeys::insert(std::span<const std::uint64_t> head, std::span<const std::uint64_t> tail) {
  const std::size_t length = head.size() + tail.size();
  std::uint64_t hash = length;
  for (const std::uint64_t w : head) hash = mix_key(hash ^ w);
  for (const std::uint64_t w : tail) hash = mix_key(hash ^ w);
  const auto equal = [head, tail](const std::uint64_t* stored) {
    return std::equal(head.begin(), head.end(), stored) &&
           std::equal(tail.begin(), tail.end(), stored + head.size());
  };
  const auto append = [head, tail](std::vector<std::uint64_t>& pool) {
    pool.insert(pool.end(), head.begin(), head.end());
    pool.insert(pool.end(), tail.begin(), tail.end());
  };
  return keys_.insert(hash, length, equal, append);
}

}  // namespace quadmine
