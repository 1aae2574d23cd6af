// Sets that are cleared in constant time: each member is stamped with the
// current epoch, and clearing starts a new epoch.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "index/flat_int_map.h"

namespace quadmine {

// A set of dense numbers 0 .. capacity - 1.
class EpochSet {
 public:
  explicit EpochSet(std::size_t capacity = 0) : stamps_(capacity, 0) {}

  // Makes room for the numbers below `capacity`; they start out absent.
  void grow(std::size_t capacity) {
    if (capacity > stamps_.size()) stamps_.resize(capacity, 0);
  }

  // Forgets every member.
  void clear();

  bool contains(std::uint32_t n) const { return stamps_[n] == epoch_; }

  // Adds `n`; true when it was not a member yet.
  bool insert(std::uint32_t n) {
    if (stamps_[n] == epoch_) return false;
    stamps_[n] = epoch_;
    return true;
  }

 private:
  std::vector<std::uint32_t> stamps_;
  std::uint32_t epoch_ = 1;
};

// A set of arbitrary int values; values are numbered densely on first sight.
class ElementMarks {
 public:
  void clear() { members_.clear(); }
  bool has(int x) const;
  void insert(int x);

 private:
  FlatIntMap numbers_;
  EpochSet members_;
};

}  // namespace quadmine
