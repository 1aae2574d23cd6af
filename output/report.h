// The report loop: selects the concepts of the working store to report and
// writes them.
#pragma once

#include <cstdio>
#include <vector>

#include "store/thresholds.h"
#include "store/triconcept.h"

namespace quadmine {

// Walks `store` in order. A concept whose sets reach the thresholds goes
// through the final filter, which erases its equal copies; when nothing
// strictly contains it, it is moved to the end of `reported`, its place in
// `store` left with four empty sets, and written:
//   concepts:   "\nU = {u1, u2, },  T = {...},  R = {...},  D = {...}"
//   users_only: "%d %d\n" per user, with the concept's first D value.
// The final filter runs over a ContainmentIndex and decides exactly as
// test_inclusionFINAL, which the run does not call. The streams are written,
// not flushed, checked or closed: that is the caller's business.
// The erased copies have left `store` at the end.
void write_report(std::vector<TriConcept>& store, std::vector<TriConcept>& reported,
                  const Thresholds& thresholds, std::FILE* concepts, std::FILE* users_only);

// Whether the final filter looks for strict containers ahead in a second
// thread (the default) or only in the thread of the loop; the results are the
// same. Where no thread can be started, the loop works alone.
void use_container_thread(bool on);

}  // namespace quadmine
