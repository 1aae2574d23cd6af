#include "index/set_keys.h"

#include <algorithm>

namespace {

std::uint64_t mix(std::uint64_t h) {
  h ^= h >> 33;
  h *= 0xff51afd7ed558ccdull;
  h ^= h >> 33;
  h *= 0xc4ceb9fe1a85ec53ull;
  return h ^ (h >> 33);
}

}  // namespace

std::uint64_t SetKeys::hash(std::span<const std::span<const int>> sets) {
  std::uint64_t h = 0x9e3779b97f4a7c15ull;
  for (const auto set : sets) {
    h = mix(h ^ set.size());
    for (const int x : set) h = (h ^ static_cast<std::uint32_t>(x)) * 0x100000001b3ull + (h >> 29);
  }
  h = mix(h);
  return h == 0 ? 1 : h;
}

bool SetKeys::equal(std::size_t offset, std::span<const std::span<const int>> sets) const {
  for (const auto set : sets) {
    if (pool_[offset] != static_cast<int>(set.size())) return false;
    if (!std::equal(set.begin(), set.end(),
                    pool_.begin() + static_cast<std::ptrdiff_t>(offset + 1))) {
      return false;
    }
    offset += 1 + set.size();
  }
  return true;
}

void SetKeys::grow() {
  std::vector<std::uint64_t> hashes(hashes_.empty() ? 1024 : 2 * hashes_.size(), 0);
  std::vector<std::size_t> offsets(hashes.size());
  const std::size_t mask = hashes.size() - 1;
  for (std::size_t slot = 0; slot < hashes_.size(); ++slot) {
    if (hashes_[slot] == 0) continue;
    std::size_t to = hashes_[slot] & mask;
    while (hashes[to] != 0) to = (to + 1) & mask;
    hashes[to] = hashes_[slot];
    offsets[to] = offsets_[slot];
  }
  hashes_.swap(hashes);
  offsets_.swap(offsets);
}

bool SetKeys::insert(std::span<const std::span<const int>> sets) {
  if (2 * (count_ + 1) > hashes_.size()) grow();
  const std::uint64_t h = hash(sets);
  const std::size_t mask = hashes_.size() - 1;
  std::size_t slot = h & mask;
  for (; hashes_[slot] != 0; slot = (slot + 1) & mask) {
    if (hashes_[slot] == h && equal(offsets_[slot], sets)) return false;
  }
  hashes_[slot] = h;
  offsets_[slot] = pool_.size();
  for (const auto set : sets) {
    pool_.push_back(static_cast<int>(set.size()));
    pool_.insert(pool_.end(), set.begin(), set.end());
  }
  ++count_;
  return true;
}
