// The three mining passes of a run, in their fixed order.
#pragma once

#include <vector>

#include "mining/extension_pass.h"
#include "store/thresholds.h"
#include "store/triconcept.h"

namespace quadmine {

// Grows the loader's concepts in `store` (loaded from a base of `lines_read`
// quadruple lines): the tag sets, then the resource sets, then the D sets.
// The resource and D passes use their second threads as `options` say.
void run_mining_passes(std::vector<TriConcept>& store, int lines_read, const Thresholds& thresholds,
                       const ExtensionOptions& options);

}  // namespace quadmine
