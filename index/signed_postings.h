// SignedPostings: for each value, the ids of the records that hold it, each
// stored with two 32-bit signatures of its record. A walk over one list can
// then reject most ids on the signatures it reads in sequence, without
// visiting the records themselves.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "index/flat_int_map.h"

namespace quadmine {

// A 64-bit signature folded to 32 bits: two sets whose signatures share a bit
// still share one once both are folded.
inline std::uint32_t fold_signature(std::uint64_t bits) {
  return static_cast<std::uint32_t>(bits | (bits >> 32));
}

// One entry of a list: the id of a record and two signatures of it, which the
// owner chooses (the same two for every entry of one SignedPostings).
struct SignedId {
  std::uint32_t id = 0;
  std::uint32_t bits[2] = {};
};

class SignedPostings {
 public:
  // Records that record `entry.id` holds `value`. Ids of one value must be
  // added in ascending order.
  void add(int value, const SignedId& entry);

  // The entries added for `value`, ascending by id; empty when there are none.
  std::span<const SignedId> of(int value) const {
    const std::uint32_t list = lists_of_.find(value);
    if (list == FlatIntMap::kAbsent) return {};
    return lists_[list];
  }

  // The entries added for `value` whose id is above `id`. The calls must come
  // with ids that never decrease: each list remembers how far the earlier
  // calls got, so the whole sequence of calls costs the length of the lists.
  std::span<const SignedId> later(int value, std::uint32_t id);

 private:
  FlatIntMap lists_of_;  // value -> position of its list in lists_
  std::vector<std::vector<SignedId>> lists_;
  std::vector<std::uint32_t> passed_;  // per list: entries known to be at or below the last id
};

}  // namespace quadmine
