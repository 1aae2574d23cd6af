// SetKeys remembers tuples of sorted integer sets exactly, to tell whether a
// tuple was met before: a hash table (open addressing) over one pool that
// holds every tuple added, each set as its size followed by its elements.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

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
  void prefetch(std::uint64_t hash) const {
    if (!slots_.empty()) __builtin_prefetch(&slots_[hash & (slots_.size() - 1)]);
  }

 private:
  void grow();
  bool equal(std::size_t offset, std::span<const std::span<const int>> sets) const;

  struct Slot {
    std::uint64_t hash = 0;  // 0 marks a free slot
    std::size_t offset = 0;  // where the tuple starts in pool_
  };
  std::vector<Slot> slots_;
  std::vector<int> pool_;
  std::size_t count_ = 0;
};

}  // namespace quadmine
