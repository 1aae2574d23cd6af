// Final subsumption filter, in its plain form. No run calls it: the report
// loop (report.h) applies the same rule through a ContainmentIndex. It is kept
// as the definition of the rule; the tests' reference report calls it.
#pragma once

#include <vector>

#include "store/triconcept.h"

// Compares the examined concept (the record at `position` of `store`) with
// every other record of `store`. A record that contains it in U, T, R and D
// (every element of the examined set occurs in the other) and differs in at
// least one set size strictly contains it: `subsumed` is set to true (never
// cleared; the caller clears it). A record that contains it with four equal
// sizes is an equal copy and is erased from `store` after the scan.
//
// With repeated elements an equal copy may stand before `position`; the
// examined record then moves down by the number of such erasures, which is
// stored in *erased_before when the pointer is given. `examined` must not be
// used after the call: it may name a moved record.
void test_inclusionFINAL(int position, const TriConcept& examined, std::vector<TriConcept>& store,
                         bool& subsumed, int* erased_before = nullptr);
