// WordKeys remembers short sequences of 64-bit words exactly, to tell whether
// a sequence was met before since the last clear(): a hash table (open
// addressing) over one pool holding every sequence added. Meant to be small
// and cleared often.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace quadmine {

class WordKeys {
 public:
  // Adds the sequence `head` then `tail`; false when an equal sequence was
  // added since the last clear(). (Two parts, so that callers need not copy
  // them into one.)
  bool insert(std::span<const std::uint64_t> head, std::span<const std::uint64_t> tail = {});
  // Forgets every sequence, in time proportional to their number.
  void clear();

 private:
  void grow();

  struct Slot {
    std::uint64_t hash = 0;  // 0 marks a free slot
    std::uint32_t offset = 0;
    std::uint32_t size = 0;
  };
  std::vector<Slot> slots_;
  std::vector<std::uint64_t> pool_;
  std::vector<std::size_t> used_;  // the slots taken
};

}  // namespace quadmine
