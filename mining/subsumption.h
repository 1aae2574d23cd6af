// Subsumption tests for the new concepts built by the extension passes. Each
// scans `list` from its first member and sets `flag` to true at the first
// member that counts; none ever sets it to false (the caller clears it).
// Containment means inclus_egalStandard(candidate set, member set): order and
// repetitions inside the sets play no part.
//
// test_inclusion(candidate, list, covered)
//   Tag pass: a member counts when it contains the candidate in U, R and D.
//   Tags are not compared.
// test_inclusionRS(candidate, list, covered)
//   Resource and D passes: a member counts when it contains the candidate in
//   U, T, D and R (tested in that order).
// test_inclusionAVECSIZE(candidate, list, found)
//   Looks for an equal copy judged by U, T and R: a member counts when it
//   contains the candidate in U, T and R and the three pairs of lists have
//   equal lengths. D is not read. No pass calls it.
#pragma once

#include <vector>

#include "store/triconcept.h"

void test_inclusion(const TriConcept& candidate, const std::vector<TriConcept>& list,
                    bool& covered);
void test_inclusionRS(const TriConcept& candidate, const std::vector<TriConcept>& list,
                      bool& covered);
void test_inclusionAVECSIZE(const TriConcept& candidate, const std::vector<TriConcept>& list,
                            bool& found);
