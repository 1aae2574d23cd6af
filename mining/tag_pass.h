// The tag-set extension pass, first of the three mining passes.
#pragma once

#include <cstddef>
#include <vector>

#include "store/triconcept.h"

namespace quadmine {

// Grows the tag sets of the loader's concepts in `store` (each holds one
// resource and one D value). Along each unbroken run of neighbouring concepts
// with the same resource and D value, a concept absorbs the tags of every
// neighbour whose users contain its own; a later neighbour with as many users
// is then erased. Incomparable neighbours sharing at least `min_users` users
// give a new concept (common users, both tag sets) unless an earlier new
// concept contains it in U, R and D. Only concepts followed by at least
// tag_pass_window(lines_read) concepts are current. Each new concept then
// absorbs the tags of every stored concept with its resource and D value whose
// users contain its own, stored concepts with as many users are erased, and
// the new concepts are appended. The result depends on the order of `store`.
//
// The pass does not go through test_inclusion or the set primitives: the
// indexed forms (sorted user copies, FreshIndex) decide the same. Erased
// concepts are only marked dead and leave the store in one compaction at the
// end.
void extend_tags(std::vector<TriConcept>& store, int lines_read, int min_users);

// The tail window of the tag pass for a base of `lines_read` lines: 50 from
// 200 lines on, 3 below.
std::size_t tag_pass_window(int lines_read);

}  // namespace quadmine

// extend_tags(ens_tc, ijk, minsupp_u); indices_ts stays empty.
void find_ts_v3();
