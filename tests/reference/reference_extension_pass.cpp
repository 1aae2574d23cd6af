#include <cstddef>
#include <utility>
#include <vector>

#include "mining/subsumption.h"
#include "reference/pass_support.h"
#include "reference/reference_passes.h"
#include "store/globals.h"
#include "store/set_primitives.h"

namespace reference {
namespace {

using Set = std::vector<int> TriConcept::*;

// What distinguishes the resource pass from the D pass.
struct Dimension {
  Set grown;  // the list that grows: rs or ds
  Set gate;   // must reach gate_threshold: ts or rs
  int gate_threshold;
  Set third;                  // containment and common list besides U and T: ds or rs
  int third_threshold;        // threshold of the common third list
  bool third_length_counts;   // whether a collected neighbour needs a third list as long
  std::vector<int>& erasure;  // indices_rs or indices_ds
};

bool reaches(const std::vector<int>& set, int threshold) {
  return set.size() >= static_cast<std::size_t>(threshold);
}

// The current concept takes over the neighbour's grown list when the neighbour
// contains it in U, T and the third set and brings a new first element. A
// neighbour with an empty grown list brings nothing.
bool absorbs(const Dimension& dim, const TriConcept& current, const TriConcept& neighbour) {
  const std::vector<int>& offered = neighbour.*dim.grown;
  return inclus_egalStandard(current.us, neighbour.us) &&
         inclus_egalStandard(current.ts, neighbour.ts) &&
         inclus_egalStandard(current.*dim.third, neighbour.*dim.third) && !offered.empty() &&
         !containsStandard(current.*dim.grown, offered.front());
}

bool same_lengths(const Dimension& dim, const TriConcept& a, const TriConcept& b) {
  return a.ts.size() == b.ts.size() && a.us.size() == b.us.size() &&
         (!dim.third_length_counts || (a.*dim.third).size() == (b.*dim.third).size());
}

// Working lists of one pass, reused for every attempt.
struct Scratch {
  std::vector<int> common_ts;
  std::vector<int> common_us;
  std::vector<int> common_third;
};

// Builds the concept of what the current concept and the neighbour share,
// with the union of their grown lists, and keeps it unless a new concept kept
// earlier covers it.
void try_new_concept(const Dimension& dim, const TriConcept& current, const TriConcept& neighbour,
                     std::vector<TriConcept>& fresh, Scratch& s) {
  s.common_ts.clear();
  s.common_us.clear();
  s.common_third.clear();
  elements_en_commun(current.ts, neighbour.ts, s.common_ts);
  if (!reaches(s.common_ts, minsupp_t)) return;
  elements_en_commun(current.us, neighbour.us, s.common_us);
  if (!reaches(s.common_us, minsupp_u)) return;
  elements_en_commun(current.*dim.third, neighbour.*dim.third, s.common_third);
  if (!reaches(s.common_third, dim.third_threshold)) return;

  TriConcept candidate;
  candidate.*dim.grown = current.*dim.grown;
  absorb_elements(neighbour.*dim.grown, candidate.*dim.grown);
  candidate.us = s.common_us;
  candidate.ts = s.common_ts;
  candidate.*dim.third = s.common_third;

  bool covered = false;
  test_inclusionRS(candidate, fresh, covered);
  if (!covered) fresh.push_back(std::move(candidate));
}

void extend(const Dimension& dim) {
  std::vector<TriConcept> fresh;
  Scratch scratch;
  dim.erasure.clear();

  for (std::size_t i = 0;; ++i) {
    // The bound looks at the store as the previous iteration left it, before
    // the positions that iteration collected are erased.
    if (i + 1 >= ens_tc.size()) break;
    erase_collected(dim.erasure);
    if (i >= ens_tc.size()) break;

    TriConcept& current = ens_tc[i];
    if (!reaches(current.*dim.gate, dim.gate_threshold)) continue;

    for (std::size_t k = i + 1; k < ens_tc.size(); ++k) {
      const TriConcept& neighbour = ens_tc[k];
      if (!reaches(neighbour.*dim.gate, dim.gate_threshold)) continue;
      if (absorbs(dim, current, neighbour)) {
        absorb_elements(neighbour.*dim.grown, current.*dim.grown);
        if (same_lengths(dim, current, neighbour)) dim.erasure.push_back(static_cast<int>(k));
      } else {
        try_new_concept(dim, current, neighbour, fresh, scratch);
      }
    }
  }

  // The positions collected last all lie before the appended concepts.
  for (TriConcept& added : fresh) ens_tc.push_back(std::move(added));
  erase_collected(dim.erasure);
}

}  // namespace

void find_rs() {
  extend(
      {&TriConcept::rs, &TriConcept::ts, minsupp_t, &TriConcept::ds, minsupp_d, false, indices_rs});
}

void find_ds() {
  extend(
      {&TriConcept::ds, &TriConcept::rs, minsupp_r, &TriConcept::rs, minsupp_r, true, indices_ds});
}

}  // namespace reference
