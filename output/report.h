// The report loop: selects the concepts of the working store to report and
// writes them.
#pragma once

#include <cstddef>
#include <cstdio>
#include <vector>

#include "store/thresholds.h"
#include "store/triconcept.h"
#include "threads/ahead_options.h"

namespace quadmine {

// How the report uses its second thread; the defaults are the program's.
struct ReportOptions {
  AheadOptions ahead;  // the container search's thread and its ring of blocks
  // The search answers for blocks of this many ids, the first block of every
  // `share` (the loop searches for the others itself).
  std::size_t block = 4096;
  std::size_t share = 2;
};

// Walks `store` in order. A concept whose sets reach the thresholds goes
// through the final filter, which erases its equal copies; when nothing
// strictly contains it, it is written, and moved to the end of `reported`
// once the walk is over (its place in `store` left with four empty sets):
//   concepts:   "\nU = {u1, u2, },  T = {...},  R = {...},  D = {...}"
//   users_only: "%d %d\n" per user, with the concept's first D value.
// The final filter runs over a ContainmentIndex and decides exactly as
// test_inclusionFINAL, which the run does not call. The streams are written,
// not flushed, checked or closed: that is the caller's business.
// The erased copies have left `store` at the end.
void write_report(std::vector<TriConcept>& store, std::vector<TriConcept>& reported,
                  const Thresholds& thresholds, std::FILE* concepts, std::FILE* users_only,
                  const ReportOptions& options);

}  // namespace quadmine
