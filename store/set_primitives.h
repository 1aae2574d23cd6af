// Integer-set primitives. Sets are vectors of int in insertion order, possibly
// with repeated elements; every search is a linear scan.
//
// They define membership, inclusion and the common elements for the whole
// program, but a run calls only containsStandard (resource recommendation).
// The passes and the report use the indexed forms of index/ (sorted distinct
// copies, postings), which give the same answers; the plain forms here are
// what the tests' reference passes are written with.
#pragma once

#include <vector>

#include "store/triconcept.h"

// True if some element of `set` equals `key`.
bool containsStandard(const std::vector<int>& set, int key);

// Same; on success `position` receives the index of the first match, and is
// left untouched otherwise. Nothing calls it.
bool containsAvecPos(const std::vector<int>& set, int key, int& position);

// True if every element of `a` occurs in `b` (an empty `a` is included in
// anything; sizes, order and repetitions play no part).
bool inclus_egalStandard(const std::vector<int>& a, const std::vector<int>& b);

// Appends to `output`, in a's order, each element of `a` that occurs in `b`;
// `output` is not cleared first.
void elements_en_commun(const std::vector<int>& a, const std::vector<int>& b,
                        std::vector<int>& output);

// erase_positions(ens_tc, positions).
void nettoyage_de_la_baseStandard(const std::vector<int>& positions);

namespace quadmine {

// Erases from `store` the records at the strictly ascending positions
// `positions`, keeping the order of the others. Outside that contract it
// erases position (positions[k] - k) for each k but never addresses a record
// outside the store.
void erase_positions(std::vector<TriConcept>& store, const std::vector<int>& positions);

}  // namespace quadmine
