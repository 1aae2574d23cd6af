#include "index/flat_int_map.h"

namespace quadmine {

std::uint32_t FlatIntMap::emplace(int key, std::uint32_t value) {
  if (2 * (count_ + 1) > values_.size()) grow();
  std::size_t slot = home(key);
  for (; values_[slot] != kAbsent; slot = (slot + 1) & mask_) {
    if (keys_[slot] == key) return values_[slot];
  }
  keys_[slot] = key;
  values_[slot] = value;
  ++count_;
  return value;
}

void FlatIntMap::grow() {
  std::vector<int> keys;
  std::vector<std::uint32_t> values;
  keys.swap(keys_);
  values.swap(values_);
  const std::size_t capacity = values.empty() ? 64 : 2 * values.size();
  keys_.assign(capacity, 0);
  values_.assign(capacity, kAbsent);
  mask_ = capacity - 1;
  count_ = 0;
  for (std::size_t slot = 0; slot < values.size(); ++slot) {
    if (values[slot] != kAbsent) emplace(keys[slot], values[slot]);
  }
}

}  // namespace quadmine
