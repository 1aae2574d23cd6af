// PooledKeys: a set of keys that are sequences of elements, each key stored
// once, whole, in one pool; the table (OpenTable) holds per key its hash,
// where it starts in the pool and its length. Two keys are equal when they
// have the same elements in the same order. SetKeys and WordKeys are built on
// it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>
#include <vector>

#include "index/open_table.h"

namespace quadmine {

template <typename Element, TableShape kShape = TableShape{}>
class PooledKeys {
 public:
  // Adds the key of hash `hash` and `length` elements (equal keys must come
  // with equal hashes): `equal(stored)` tells whether the `length` elements
  // from `stored` are the key, `append(pool)` appends the key to the pool
  // (exactly `length` elements). False when an equal key was added since the
  // last clear(). The pool is addressed by 32 bits: a pool that outgrows them
  // raises std::bad_alloc, as when memory runs out.
  template <typename Equal, typename Append>
  bool insert(std::uint64_t hash, std::size_t length, const Equal& equal, const Append& append) {
    table_.make_room([](const Slot& slot) { return slot.hash; });
    const std::size_t s = table_.probe(hash, [&](const Slot& slot) {
      return slot.hash == hash && slot.length == length && equal(pool_.data() + slot.value);
    });
    if (!table_.is_free(s)) return false;
    if (pool_.size() >= kFreeSlot || length > UINT32_MAX) throw std::bad_alloc();
    table_.take(
        s, {hash, static_cast<std::uint32_t>(pool_.size()), static_cast<std::uint32_t>(length)});
    append(pool_);
    return true;
  }

  // Forgets every key, in time proportional to their number.
  void clear() requires(kShape.clearable) {
    table_.clear();
    pool_.clear();
  }

  // Hints that insert() with this hash comes soon.
  void prefetch(std::uint64_t hash) const { table_.prefetch(hash); }

 private:
  struct Slot {
    std::uint64_t hash = 0;
    std::uint32_t value = kFreeSlot;  // where the key starts in pool_
    std::uint32_t length = 0;
  };
  OpenTable<Slot, kShape> table_;
  std::vector<Element> pool_;
};

}  // namespace quadmine
