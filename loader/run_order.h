// Finding (tag, resource, D) keys that form more than one run of consecutive
// lines in the base. Each such run becomes a group of its own, which is what
// an unsorted base gives, and almost never what its author meant.
//
// RunOrder watches the keys of the lines as the loader reads them, one key
// comparison a line: ascending() stays true while the keys never go down in
// (resource, D, tag) order, as in a sorted base; then no key can form two
// runs and nothing more needs to be done.
//
// find_split_runs(base) reads the base again from its start (only worth it
// when ascending() turned false) and returns the number of keys that form
// more than one run and the line (from 1, blank lines counted) where the
// first run that repeats an earlier key begins; {0, 0} when there is none or
// when the stream cannot be repositioned (a pipe). The stream is left at its
// end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "loader/base_line.h"

class RunOrder {
 public:
  void line(const Quad& q) {
    // (resource, D) as one unsigned 64-bit number and the tag as another, in
    // the order of the signed values; compared without branches, since keys
    // change at almost every line of some bases.
    const std::uint64_t high = (biased(q[2]) << 32) | biased(q[3]);
    const std::uint64_t low = biased(q[1]);
    descended_ |= (high < high_) | ((high == high_) & (low < low_));
    high_ = high;
    low_ = low;
  }
  bool ascending() const { return !descended_; }

 private:
  static std::uint64_t biased(int v) { return static_cast<std::uint32_t>(v) ^ 0x80000000U; }

  std::uint64_t high_ = 0;  // below every key: the first line always ascends
  std::uint64_t low_ = 0;
  bool descended_ = false;
};

struct RunSplit {
  std::size_t keys = 0;
  long first_line = 0;
};

RunSplit find_split_runs(std::FILE* base);
