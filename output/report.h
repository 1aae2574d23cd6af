// The report loop: selects the concepts of ens_tc to report and writes them.
#pragma once

#include <cstdio>

// Walks ens_tc in order. A concept whose sets reach minsupp_u, minsupp_t,
// minsupp_r and minsupp_d (read once) goes through the final filter, which
// erases its equal copies; when nothing strictly contains it, it is moved to
// the end of ens_tc2, its place in ens_tc left with four empty sets, and
// written:
//   concepts:   "\nU = {u1, u2, },  T = {...},  R = {...},  D = {...}"
//   users_only: "%d %d\n" per user, with the concept's first D value.
// The final filter runs over a ContainmentIndex and decides exactly as
// test_inclusionFINAL, which the run does not call. The streams are written,
// not flushed, checked or closed: that is the caller's business.
void write_report(std::FILE* concepts, std::FILE* users_only);

// Whether the final filter looks for strict containers ahead in a second
// thread (the default) or only in the thread of the loop; the results are the
// same. Where no thread can be started, the loop works alone.
void use_container_thread(bool on);
