// The resource and D extension passes, second and third of the mining passes.
// Both compare every concept of the store with every later one; only concepts
// whose gate set reaches its threshold take part.
//
// A new concept is kept unless one kept earlier in the same pass contains it
// in U, T, R and D; the kept ones are appended to the store after the scan. The
// run decides this with FreshIndex, not with test_inclusionRS, and finds the
// later concepts worth comparing through postings instead of visiting every
// one, in a second thread that runs ahead of the pass (NeighbourFinder, the
// producer of a WorkAhead): the results are the same in one thread. Erased concepts are only marked
// dead and leave the store in one compaction at the end.
#pragma once

#include <cstddef>
#include <vector>

#include "store/thresholds.h"
#include "store/triconcept.h"
#include "threads/ahead_options.h"

namespace quadmine {

// How a pass uses its second thread; the defaults are the program's.
struct ExtensionOptions {
  AheadOptions ahead;  // the finder's thread and its ring of buffers
  // The finder closes a buffer once it holds this many results (later
  // concepts that matter, or candidates) or this many current concepts.
  std::size_t found_per_buffer = 16384;
  std::size_t concepts_per_buffer = 256;
};

// Grows R. Gate: T reaches thresholds.t. A later concept N that contains the
// current one in U, T and D and whose first resource is new gives its
// resources to the current concept; N is erased when its T and U lists are as
// long as the current ones. Otherwise common T, U and D lists reaching
// thresholds t, u and d give a new concept with the union of both R sets.
void extend_resources(std::vector<TriConcept>& store, const Thresholds& thresholds,
                      const ExtensionOptions& options);

// Grows D the same way. Gate: R reaches thresholds.r. Containment in U, T and
// R, first D value new; N is erased when its T, U and R lists are as long; common
// T, U and R lists (thresholds t, u, r) give a new concept with the union of
// both D sets.
void extend_ds(std::vector<TriConcept>& store, const Thresholds& thresholds,
               const ExtensionOptions& options);

}  // namespace quadmine

// The two passes over ens_tc with the thresholds minsupp_* and the default
// options; indices_rs and indices_ds stay empty.
void find_rs();
void find_ds();
