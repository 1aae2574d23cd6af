// Subsumption tests for the new concepts built by the mining passes, in their
// plain form. No run calls them: the passes decide the same question with
// FreshIndex (fresh_index.h). They are kept as the definition of the rules;
// the plain reference passes of the tests call the first two.
//
// Each scans `list` from its first member and sets the flag to true at the
// first member that counts; none ever sets it to false (the caller clears
// it). Containment means inclus_egalStandard(candidate set, member set):
// order and repetitions inside the sets play no part.
#pragma once

#include <vector>

#include "store/triconcept.h"

// Tag pass: a member counts when it contains the candidate in U, R and D.
// Tags are not compared.
void test_inclusion(const TriConcept& candidate, const std::vector<TriConcept>& list,
                    bool& covered);

// Resource and D passes: a member counts when it contains the candidate in U,
// T, D and R (tested in that order).
void test_inclusionRS(const TriConcept& candidate, const std::vector<TriConcept>& list,
                      bool& covered);

// Looks for an equal copy judged by U, T and R: a member counts when it
// contains the candidate in U, T and R and the three pairs of lists have equal
// lengths. D is not read.
void test_inclusionAVECSIZE(const TriConcept& candidate, const std::vector<TriConcept>& list,
                            bool& found);
