// Integer-set primitives. Sets are vectors of int in insertion order, possibly
// with repeated elements; every search is a linear scan.
//
// containsStandard(set, key)        true if some element equals key
// containsAvecPos(set, key, pos)    same; on success pos = index of first match
// inclus_egalStandard(a, b)         true if every element of a occurs in b
//                                   (empty a: true; sizes and order ignored)
// elements_en_commun(a, b, out)     appends to out, in a's order, each element
//                                   of a that occurs in b (out is not cleared)
// nettoyage_de_la_baseStandard(p)   erases from ens_tc the records at the
//                                   strictly ascending positions p, keeping the
//                                   order of the others
#pragma once

#include <vector>

bool containsStandard(const std::vector<int>& set, int key);
bool containsAvecPos(const std::vector<int>& set, int key, int& position);
bool inclus_egalStandard(const std::vector<int>& a, const std::vector<int>& b);
void elements_en_commun(const std::vector<int>& a, const std::vector<int>& b,
                        std::vector<int>& output);
void nettoyage_de_la_baseStandard(const std::vector<int>& positions);
