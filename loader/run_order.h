// Finding (tag, resource, D) keys that form more than one run of consecutive
// lines in the base. Each such run becomes a group of its own, which is what
// an unsorted base gives, and almost never what its author meant.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "loader/base_line.h"

namespace quadmine {

// Watches the keys of the lines as the loader reads them, one key comparison
// a line.
class RunOrder {
 public:
  // Takes the next line that holds a quadruple.
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
  // True while the keys never went down in (resource, D, tag) order, as in a
  // sorted base: then no key can form two runs.
  bool ascending() const { return !descended_; }

 private:
  static std::uint64_t biased(int v) { return static_cast<std::uint32_t>(v) ^ 0x80000000U; }

  std::uint64_t high_ = 0;  // below every key: the first line always ascends
  std::uint64_t low_ = 0;
  bool descended_ = false;
};

struct RunSplit {
  std::size_t keys = 0;  // keys that form more than one run
  long first_line = 0;   // where the first run repeating an earlier key begins
};

// Reads the base again from its start (only worth it once ascending() turned
// false) and finds the keys that form more than one run; line numbers count
// from 1, blank lines included. {0, 0} when there is none or when the stream
// cannot be repositioned (a pipe). The stream is left at its end.
RunSplit find_split_runs(std::FILE* base);

}  // namespace quadmine
