#include "index/set_keys.h"

#include <algorithm>

namespace quadmine {

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
  // Each set's elements are mixed independently and summed (the sets are
  // sorted, so equal sets give equal sums), which keeps the multiplications
  // of one set out of each other's way; the sums are chained set by set.
  std::uint64_t h = 0x9e3779b97f4a7c15ull;
  for (const auto set : sets) {
    std::uint64_t sum = set.size();
    for (const int x : set) {
      const std::uint64_t y =
          (static_cast<std::uint32_t>(x) + 0x632be59bd9b4e019ull) * 0x9e3779b97f4a7c15ull;
      sum += y ^ (y >> 31);
    }
    h = mix(h ^ sum);
  }
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
  std::vector<Slot> slots(slots_.empty() ? 1024 : 2 * slots_.size());
  const std::size_t mask = slots.size() - 1;
  for (const Slot& from : slots_) {
    if (from.hash == 0) continue;
    std::size_t to = from.hash & mask;
    while (slots[to].hash != 0) to = (to + 1) & mask;
    slots[to] = from;
  }
  slots_.swap(slots);
}

bool SetKeys::insert(std::span<const std::span<const int>> sets, std::uint64_t h) {
  if (2 * (count_ + 1) > slots_.size()) grow();
  const std::size_t mask = slots_.size() - 1;
  std::size_t slot = h & mask;
  for (; slots_[slot].hash != 0; slot = (slot + 1) & mask) {
    if (slots_[slot].hash == h && equal(slots_[slot].offset, sets)) return false;
  }
  slots_[slot] = {h, pool_.size()};
  for (const auto set : sets) {
    pool_.push_back(static_cast<int>(set.size()));
    pool_.insert(pool_.end(), set.begin(), set.end());
  }
  ++count_;
  return true;
}

}  // namespace quadmine
