// OpenTable: the open-addressing core under every hash table of the program
// (FlatMap, PooledKeys, and through them FlatIntMap, SetKeys, WordKeys).
//
// - Slots sit in one flat array whose size is a power of two; the table
//   doubles before more than half of them would be taken, so a walk from any
//   slot meets a free one soon.
// - A key's home slot is given by the top bits of its 64-bit hash; a look-up
//   walks from there to the following slots (linear probing, wrapping round).
// - Every slot type has a 32-bit member `value` whose default is kFreeSlot;
//   kFreeSlot there marks a free slot, so no stored value may equal it.
// - Hashes are made with mix_key(): of one word for a short key, folded word
//   by word for a longer one.
// - A table's TableShape sets how many slots it starts with and whether it
//   can be cleared.
//
// The table knows neither keys nor equality: its owner hands probe() the hash
// and a test of a taken slot, and make_room() a way to hash a taken slot again.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace quadmine {

inline constexpr std::uint32_t kFreeSlot = static_cast<std::uint32_t>(-1);

// Mixes `x` so that every bit of it reaches the top bits of the result (which
// choose the home slot), then folds those top bits into the low half, so that
// the result can be mixed again with the next word of a longer key:
// h = mix_key(h ^ word).
inline std::uint64_t mix_key(std::uint64_t x) {
  const std::uint64_t y = (x + 0x632be59bd9b4e019ull) * 0x9e3779b97f4a7c15ull;
  return y ^ (y >> 32);
}

// What a table is sized and kept for.
struct TableShape {
  // The number of slots the first key brings (a power of two): more for a
  // table that surely grows large, so that it skips the first doublings.
  std::size_t first_capacity = 64;
  // Whether the table keeps the list of its taken slots, for a clear() in
  // time proportional to its keys rather than to its slots.
  bool clearable = false;
};

template <typename Slot, TableShape kShape = TableShape{}>
class OpenTable {
  static_assert(Slot{}.value == kFreeSlot, "a default slot must be free");
  static_assert(std::has_single_bit(kShape.first_capacity) && kShape.first_capacity >= 2);

 public:
  // Number of taken slots.
  std::size_t size() const { return count_; }

  // The first slot, walking from the home of `hash`, that is free or that
  // `same(slot)` accepts. The table must have slots: make_room() was called
  // once at least.
  template <typename Same>
  std::size_t probe(std::uint64_t hash, const Same& same) const {
    for (std::size_t s = home(hash);; s = (s + 1) & mask_) {
      const Slot& slot = slots_[s];
      if (slot.value == kFreeSlot || same(slot)) return s;
    }
  }
  const Slot& operator[](std::size_t s) const { return slots_[s]; }
  bool is_free(std::size_t s) const { return slots_[s].value == kFreeSlot; }

  // Makes sure one more slot can be taken without passing half the slots,
  // doubling the table if needed; `hash_of(slot)` gives the hash a taken slot
  // was placed by. Moves the taken slots, so slot numbers found before it
  // are no longer valid.
  template <typename HashOf>
  void make_room(const HashOf& hash_of) {
    if (2 * (count_ + 1) > slots_.size()) grow(hash_of);
  }

  // Takes the free slot `s` (as probe() found it) for `slot`.
  void take(std::size_t s, const Slot& slot) {
    slots_[s] = slot;
    ++count_;
    if constexpr (kShape.clearable) taken_.push_back(s);
  }

  // Frees every slot; keeps the array.
  void clear() requires(kShape.clearable) {
    for (const std::size_t s : taken_) slots_[s] = Slot{};
    taken_.clear();
    count_ = 0;
  }

  // Fetches the home slot of `hash` into the cache ahead of a probe.
  void prefetch(std::uint64_t hash) const {
    if (!slots_.empty()) __builtin_prefetch(&slots_[home(hash)]);
  }

 private:
  std::size_t home(std::uint64_t hash) const { return static_cast<std::size_t>(hash >> shift_); }

  template <typename HashOf>
  void grow(const HashOf& hash_of) {
    const std::size_t capacity = slots_.empty() ? kShape.first_capacity : 2 * slots_.size();
    std::vector<Slot> old(capacity);
    old.swap(slots_);
    mask_ = capacity - 1;
    shift_ = 64 - static_cast<unsigned>(std::countr_zero(capacity));
    const auto place = [&](const Slot& slot) {
      std::size_t to = home(hash_of(slot));
      while (slots_[to].value != kFreeSlot) to = (to + 1) & mask_;
      slots_[to] = slot;
      return to;
    };
    if constexpr (kShape.clearable) {
      for (std::size_t& s : taken_) s = place(old[s]);
    } else {
      for (const Slot& slot : old) {
        if (slot.value != kFreeSlot) place(slot);
      }
    }
  }

  std::vector<Slot> slots_;
  std::size_t mask_ = 0;
  unsigned shift_ = 63;  // 64 - log2 of the number of slots, once there are slots
  std::size_t count_ = 0;
  std::vector<std::size_t> taken_;  // when clearable: the taken slots
};

}  // namespace quadmine
