#include "index/word_keys.h"

#include <algorithm>

namespace {

std::uint64_t hash_words(std::span<const std::uint64_t> key) {
  std::uint64_t h = 0x9e3779b97f4a7c15ull ^ key.size();
  for (const std::uint64_t w : key) {
    h = (h ^ w) * 0xff51afd7ed558ccdull;
    h ^= h >> 32;
  }
  h ^= h >> 29;
  return h == 0 ? 1 : h;
}

}  // namespace

bool WordKeys::insert(std::span<const std::uint64_t> key) {
  if (2 * (used_.size() + 1) > slots_.size()) grow();
  const std::uint64_t h = hash_words(key);
  const std::size_t mask = slots_.size() - 1;
  std::size_t slot = h & mask;
  for (; slots_[slot].hash != 0; slot = (slot + 1) & mask) {
    const Slot& s = slots_[slot];
    if (s.hash == h && s.size == key.size() &&
        std::equal(key.begin(), key.end(), pool_.begin() + s.offset)) {
      return false;
    }
  }
  slots_[slot] = {h, static_cast<std::uint32_t>(pool_.size()),
                  static_cast<std::uint32_t>(key.size())};
  used_.push_back(slot);
  pool_.insert(pool_.end(), key.begin(), key.end());
  return true;
}

void WordKeys::clear() {
  for (const std::size_t taken : used_) slots_[taken] = {};
  used_.clear();
  pool_.clear();
}

void WordKeys::grow() {
  std::vector<Slot> slots(slots_.empty() ? 64 : 2 * slots_.size());
  const std::size_t mask = slots.size() - 1;
  for (std::size_t& taken : used_) {
    std::size_t to = slots_[taken].hash & mask;
    while (slots[to].hash != 0) to = (to + 1) & mask;
    slots[to] = slots_[taken];
    taken = to;
  }
  slots_.swap(slots);
}
