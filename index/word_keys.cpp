#include "index/word_keys.h"

#include <algorithm>
#include <cstddef>
#include <initializer_list>

namespace quadmine {

namespace {

std::uint64_t hash_words(std::span<const std::uint64_t> head, std::span<const std::uint64_t> tail) {
  std::uint64_t h = 0x9e3779b97f4a7c15ull ^ (head.size() + tail.size());
  for (const auto part : {head, tail}) {
    for (const std::uint64_t w : part) {
      h = (h ^ w) * 0xff51afd7ed558ccdull;
      h ^= h >> 32;
    }
  }
  h ^= h >> 29;
  return h == 0 ? 1 : h;
}

}  // namespace

bool WordKeys::insert(std::span<const std::uint64_t> head, std::span<const std::uint64_t> tail) {
  if (2 * (used_.size() + 1) > slots_.size()) grow();
  const std::uint64_t h = hash_words(head, tail);
  const std::size_t size = head.size() + tail.size();
  const std::size_t mask = slots_.size() - 1;
  std::size_t slot = h & mask;
  for (; slots_[slot].hash != 0; slot = (slot + 1) & mask) {
    const Slot& s = slots_[slot];
    if (s.hash == h && s.size == size) {
      const auto stored = pool_.begin() + s.offset;
      if (std::equal(head.begin(), head.end(), stored) &&
          std::equal(tail.begin(), tail.end(), stored + static_cast<std::ptrdiff_t>(head.size()))) {
        return false;
      }
    }
  }
  slots_[slot] = {h, static_cast<std::uint32_t>(pool_.size()), static_cast<std::uint32_t>(size)};
  used_.push_back(slot);
  pool_.insert(pool_.end(), head.begin(), head.end());
  pool_.insert(pool_.end(), tail.begin(), tail.end());
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

}  // namespace quadmine
