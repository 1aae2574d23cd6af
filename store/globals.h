// The stores and scalars shared by every phase of a run. They live for the
// whole process and are used by one operation at a time (single thread).
//
//   ens_tc      working store: filled by the loader, reshaped by the passes,
//               shrunk by the final filter
//   ens_tc2     reported concepts, in report order
//   indices_*   erasure lists (positions in ens_tc) of the three passes
//   minsupp_*   minimum set sizes, declared 2, replaced by the command line
//   ijk         number of base lines read by the loader
//   fp          the input base, opened by the command line
#pragma once

#include <cstdio>
#include <vector>

#include "store/triconcept.h"

extern std::vector<TriConcept> ens_tc;
extern std::vector<TriConcept> ens_tc2;
extern std::vector<int> indices_ts;
extern std::vector<int> indices_rs;
extern std::vector<int> indices_ds;

extern int minsupp_u;
extern int minsupp_t;
extern int minsupp_r;
extern int minsupp_d;

extern int ijk;
extern std::FILE* fp;

// Puts every store and scalar back to its state at process start. fp is not
// closed (its owner closes it); it is only forgotten. For tests and harnesses
// that run the pipeline more than once in one process.
void reset_run_state();
