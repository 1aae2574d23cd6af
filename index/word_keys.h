// WordKeys remembers short sequences of 64-bit words exactly, to tell whether
// a sequence was met before since the last clear(): pooled keys (PooledKeys)
// of words. Meant to be small and cleared often.
#pragma once

#include <cstdint>
#include <span>

#include "index/pooled_keys.h"

namespace quadmine {

class WordKeys {
 public:
  // Adds the sequence `head` then `tail`; false when an equal sequence was
  // added since the last clear(). (Two parts, so that callers need not copy
  // them into one.)
  bool insert(std::span<const std::uint64_t> head, std::span<const std::uint64_t> tail = {});
  // Forgets every sequence, in time proportional to their number.
  void clear() { keys_.clear(); }

 private:
  PooledKeys<std::uint64_t, TableShape{.clearable = true}> keys_;
};

}  // namespace quadmine
