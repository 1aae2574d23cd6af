// The resource and D extension passes, second and third of the mining passes.
// Both compare every concept of ens_tc with every later one; only concepts
// whose gate set reaches its threshold take part.
//
// find_rs()  grows R. Gate: T reaches minsupp_t. A later concept N that
//            contains the current one in U, T and D and whose first resource
//            is new gives its resources to the current concept; N is erased
//            when its T and U lists are as long as the current ones. Otherwise
//            common T, U and D lists reaching minsupp_t, minsupp_u and
//            minsupp_d give a new concept with the union of both R sets.
// find_ds()  grows D the same way. Gate: R reaches minsupp_r. Containment in
//            U, T and R, first D value new; N is erased when its T, U and R
//            lists are as long; common T, U and R lists (minsupp_t, minsupp_u,
//            minsupp_r) give a new concept with the union of both D sets.
//
// A new concept is kept unless one kept earlier in the same pass contains it
// (test_inclusionRS); the kept ones are appended to ens_tc after the scan.
// Positions to erase go through indices_rs / indices_ds and are erased at the
// start of the next iteration (the last ones after the append).
#pragma once

void find_rs();
void find_ds();
