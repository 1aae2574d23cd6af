// FlatIntMap: a map from int keys to 32-bit values in two flat arrays (open
// addressing, linear probing), for the look-ups done once per element in the
// hot loops of the indexed phases. Values must differ from kAbsent.
//
// find(key)            the value of `key`, or kAbsent.
// emplace(key, value)  the value of `key`, storing `value` first when the key
//                      is absent.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quadmine {

class FlatIntMap {
 public:
  static constexpr std::uint32_t kAbsent = static_cast<std::uint32_t>(-1);

  std::uint32_t find(int key) const {
    if (count_ == 0) return kAbsent;
    for (std::size_t slot = home(key);; slot = (slot + 1) & mask_) {
      if (values_[slot] == kAbsent || keys_[slot] == key) return values_[slot];
    }
  }
  std::uint32_t emplace(int key, std::uint32_t value);
  std::size_t size() const { return count_; }

 private:
  std::size_t home(int key) const {
    const std::uint64_t h = static_cast<std::uint32_t>(key) * 0x9e3779b97f4a7c15ull;
    return static_cast<std::size_t>(h >> 32) & mask_;
  }
  void grow();

  std::vector<int> keys_;
  std::vector<std::uint32_t> values_;  // kAbsent marks a free slot
  std::size_t mask_ = 0;
  std::size_t count_ = 0;
};

}  // namespace quadmine
