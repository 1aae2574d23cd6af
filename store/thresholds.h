// The four minimum set sizes of a run, as one value.
#pragma once

#include <cstddef>
#include <utility>

#include "store/triconcept.h"

namespace quadmine {

// A set of `size` elements (repetitions counted) reaches `threshold` when it
// holds at least that many. This is the only size test of the program.
constexpr bool reaches(std::size_t size, int threshold) {
  return std::cmp_greater_equal(size, threshold);
}

// Minimum numbers of users, tags, resources and D values of a concept.
struct Thresholds {
  int u = 2;
  int t = 2;
  int r = 2;
  int d = 2;

  // Whether every set of `c` reaches its threshold, tested in the order U, T,
  // R, D.
  bool all_reached(const TriConcept& c) const {
    return reaches(c.us.size(), u) && reaches(c.ts.size(), t) && reaches(c.rs.size(), r) &&
           reaches(c.ds.size(), d);
  }
};

// The thresholds as the command line set them (minsupp_u, minsupp_t,
// minsupp_r, minsupp_d). The phases read them once, through this, and hand the
// value to the code that does the work.
Thresholds thresholds_from_globals();

}  // namespace quadmine
