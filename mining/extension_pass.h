// The resource and D extension passes, second and third of the mining passes.
// Both compare every concept of ens_tc with every later one; only concepts
// whose gate set reaches its threshold take part.
//
// A new concept is kept unless one kept earlier in the same pass contains it
// in U, T, R and D; the kept ones are appended to ens_tc after the scan. The
// run decides this with FreshIndex, not with test_inclusionRS, and finds the
// later concepts worth comparing through postings instead of visiting every
// one, in a second thread that runs ahead of the pass (NeighbourFinder): the
// results are the same. Erased concepts are only marked dead and
// leave ens_tc in one compaction at the end, so indices_rs and indices_ds stay
// empty. Each pass reads the thresholds once.
#pragma once

// Grows R. Gate: T reaches minsupp_t. A later concept N that contains the
// current one in U, T and D and whose first resource is new gives its
// resources to the current concept; N is erased when its T and U lists are as
// long as the current ones. Otherwise common T, U and D lists reaching
// minsupp_t, minsupp_u and minsupp_d give a new concept with the union of both
// R sets.
void find_rs();

// Grows D the same way. Gate: R reaches minsupp_r. Containment in U, T and R,
// first D value new; N is erased when its T, U and R lists are as long; common
// T, U and R lists (minsupp_t, minsupp_u, minsupp_r) give a new concept with
// the union of both D sets.
void find_ds();

// Whether the two passes find neighbours in a second thread (the default) or
// in the thread that runs them; the results are the same. A pass that cannot
// start a thread works in one.
void use_finder_thread(bool on);
