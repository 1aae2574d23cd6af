// The stores and scalars of the entry points with the system's fixed names
// (load_la_base, find_ts_v3, find_rs, ...), which read them and hand them to
// the phases explicitly; the program's own run keeps its data in the driver.
// They live for the whole process and only the thread that calls those entry
// points touches them; a phase may let a second thread read the store it was
// handed while it leaves that store unchanged (threads/work_ahead.h).
#pragma once

#include <cstdio>
#include <vector>

#include "store/triconcept.h"

// Working store: filled by the loader, reshaped by the passes, shrunk by the
// final filter.
extern std::vector<TriConcept> ens_tc;

// Reported concepts, in report order.
extern std::vector<TriConcept> ens_tc2;

// Erasure lists (positions in ens_tc) of the tag, resource and D passes. The
// passes of a run mark erased concepts dead and compact ens_tc once at their
// end instead, so these stay empty; the plain reference passes of the tests
// use them.
extern std::vector<int> indices_ts;
extern std::vector<int> indices_rs;
extern std::vector<int> indices_ds;

// Minimum set sizes, declared 2 and replaced by the command line
// (thresholds_from_globals() in store/thresholds.h gives them as one value).
extern int minsupp_u;
extern int minsupp_t;
extern int minsupp_r;
extern int minsupp_d;

// Number of quadruple lines read by the loader.
extern int ijk;

// The input base, opened by the command line.
extern std::FILE* fp;

namespace quadmine {

// Puts every store and scalar back to its state at process start. fp is not
// closed (its owner closes it); it is only forgotten. For tests and harnesses
// that run the pipeline more than once in one process.
void reset_run_state();

}  // namespace quadmine
