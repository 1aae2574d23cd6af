// FlatMap: a map from integer keys to 32-bit values, one slot of key and value
// per entry in one flat array (OpenTable), for the look-ups done once per
// element in the hot loops of the indexed phases. Values must differ from
// kAbsent. FlatIntMap is the map of int keys.
//
// find(key)            the value of `key`, or kAbsent.
// emplace(key, value)  the value of `key`, storing `value` first when the key
//                      is absent.
//
// Numbering keys densely on first sight, the common use, is
// emplace(key, size()): the result is size() exactly when the key is new.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "index/open_table.h"

namespace quadmine {

template <typename Key>
class FlatMap {
  static_assert(std::is_integral_v<Key> && sizeof(Key) <= sizeof(std::uint64_t));

 public:
  static constexpr std::uint32_t kAbsent = kFreeSlot;

  std::uint32_t find(Key key) const {
    if (table_.size() == 0) return kAbsent;
    return table_[table_.probe(hash(key), Holds{key})].value;
  }

  std::uint32_t emplace(Key key, std::uint32_t value) {
    table_.make_room([](const Slot& slot) { return hash(slot.key); });
    const std::size_t s = table_.probe(hash(key), Holds{key});
    if (table_.is_free(s)) table_.take(s, {key, value});
    return table_[s].value;
  }

  std::size_t size() const { return table_.size(); }

 private:
  struct Slot {
    Key key{};
    std::uint32_t value = kFreeSlot;
  };
  struct Holds {
    Key key;
    bool operator()(const Slot& slot) const { return slot.key == key; }
  };

  // The key's bits as an unsigned word (a negative int is not sign-extended).
  static std::uint64_t hash(Key key) {
    return mix_key(static_cast<std::make_unsigned_t<Key>>(key));
  }

  OpenTable<Slot> table_;
};

using FlatIntMap = FlatMap<int>;

}  // namespace quadmine
