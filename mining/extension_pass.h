// The resource and D extension passes, second and third of the mining passes.
// Both compare every concept of the store with every later one; only concepts
// whose gate set reaches its threshold take part.
//
// A new concept is kept unless one kept earlier in the same pass contains it
// in U, T, R and D; the kept ones are appended to the store after the scan. The
// run decides this with FreshIndex, not with test_inclusionRS, and finds the
// later concepts worth comparing through postings instead of visiting every
// one, in a second thread that runs ahead of the pass (NeighbourFinder): the
// results are the same. Erased concepts are only marked dead and
// leave the store in one compaction at the end.
#pragma once

#include <vector>

#include "store/thresholds.h"
#include "store/triconcept.h"

namespace quadmine {

// Grows R. Gate: T reaches thresholds.t. A later concept N that contains the
// current one in U, T and D and whose first resource is new gives its
// resources to the current concept; N is erased when its T and U lists are as
// long as the current ones. Otherwise common T, U and D lists reaching
// thresholds t, u and d give a new concept with the union of both R sets.
void extend_resources(std::vector<TriConcept>& store, const Thresholds& thresholds);

// Grows D the same way. Gate: R reaches thresholds.r. Containment in U, T and
// R, first D value new; N is erased when its T, U and R lists are as long; common
// T, U and R lists (thresholds t, u, r) give a new concept with the union of
// both D sets.
void extend_ds(std::vector<TriConcept>& store, const Thresholds& thresholds);

// Whether the two passes find neighbours in a second thread (the default) or
// in the thread that runs them; the results are the same. A pass that cannot
// start a thread works in one.
void use_finder_thread(bool on);

}  // namespace quadmine

// The two passes over ens_tc with the thresholds minsupp_*; indices_rs and
// indices_ds stay empty.
void find_rs();
void find_ds();
