// The three mining passes of a run, in their fixed order.
#pragma once

#include <vector>

#include "store/thresholds.h"
#include "store/triconcept.h"

namespace quadmine {

// Grows the loader's concepts in `store` (loaded from a base of `lines_read`
// quadruple lines): the tag sets, then the resource sets, then the D sets.
void run_mining_passes(std::vector<TriConcept>& store, int lines_read,
                       const Thresholds& thresholds);

}  // namespace quadmine
