// SetKeys remembers tuples of sorted integer sets exactly, to tell whether a
// tuple was met before: pooled keys (PooledKeys) in which a tuple is stored as
// each set's size followed by its elements.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "index/pooled_keys.h"

namespace quadmine {

class SetKeys {
 public:
  // Adds the tuple of sets (each sorted and distinct); false when an equal
  // tuple (same sets in the same order) was added before. `hash` is
  // hash(sets).
  bool insert(std::span<const std::span<const int>> sets, std::uint64_t hash);
  bool insert(std::span<const std::span<const int>> sets) { return insert(sets, hash(sets)); }

  static std::uint64_t hash(std::span<const std::span<const int>> sets);
  // Hints that insert() with this hash comes soon: fetches its first slot
  // into the cache ahead of time.
  void prefetch(std::uint64_t hash) const { keys_.prefetch(hash); }

 private:
  // A pass decides on thousands of candidates or none: the first one brings
  // room for many.
  PooledKeys<int, TableShape{.first_capacity = 1024}> keys_;
};

}  // namespace quadmine
