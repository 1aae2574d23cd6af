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

// Same resource and D value, judged by the first element of each list. A
// concept without a resource or a D value matches nothing.
bool same_r_and_d(const TriConcept& a, const TriConcept& b) {
  return !a.rs.empty() && !b.rs.empty() && !a.ds.empty() && !b.ds.empty() &&
         a.rs.front() == b.rs.front() && a.ds.front() == b.ds.front();
}

// Backward scan: the current concept takes the tags of every preceding
// neighbour of its run whose users contain its own.
void absorb_from_predecessors(std::size_t i) {
  TriConcept& current = ens_tc[i];
  for (std::size_t k = 1; k <= i; ++k) {
    const TriConcept& neighbour = ens_tc[i - k];
    if (!same_r_and_d(current, neighbour)) break;
    if (inclus_egalStandard(current.us, neighbour.us)) {
      absorb_elements(neighbour.ts, current.ts);
    }
  }
}

// Forward scan over the run that follows position i: absorb from containing
// neighbours (collecting those with as many users), and build new concepts
// from incomparable ones.
void extend_with_successors(std::size_t i, std::vector<TriConcept>& fresh,
                            std::vector<int>& common) {
  TriConcept& current = ens_tc[i];
  for (std::size_t k = i + 1; k < ens_tc.size(); ++k) {
    const TriConcept& neighbour = ens_tc[k];
    if (!same_r_and_d(current, neighbour)) break;

    if (inclus_egalStandard(current.us, neighbour.us)) {
      absorb_elements(neighbour.ts, current.ts);
      if (current.us.size() == neighbour.us.size()) {
        indices_ts.push_back(static_cast<int>(k));
      }
      continue;
    }
    if (inclus_egalStandard(neighbour.us, current.us)) continue;

    common.clear();
    elements_en_commun(current.us, neighbour.us, common);
    if (common.size() < static_cast<std::size_t>(minsupp_u)) continue;

    TriConcept candidate;
    candidate.ts = current.ts;
    absorb_elements(neighbour.ts, candidate.ts);
    candidate.rs.push_back(current.rs.front());
    candidate.ds.push_back(current.ds.front());
    candidate.us = common;

    bool covered = false;
    test_inclusion(candidate, fresh, covered);
    if (!covered) fresh.push_back(std::move(candidate));
  }
}

// Each new concept takes the tags of every stored concept with its resource
// and D lists whose users contain its own; stored concepts with as many users
// are erased before the next new concept is merged.
void merge_new_concepts(std::vector<TriConcept>& fresh) {
  for (TriConcept& added : fresh) {
    erase_collected(indices_ts);
    for (std::size_t c = 0; c < ens_tc.size(); ++c) {
      const TriConcept& stored = ens_tc[c];
      if (stored.rs != added.rs || stored.ds != added.ds) continue;
      if (!inclus_egalStandard(added.us, stored.us)) continue;
      absorb_elements(stored.ts, added.ts);
      if (added.us.size() == stored.us.size()) indices_ts.push_back(static_cast<int>(c));
    }
  }
  erase_collected(indices_ts);
}

}  // namespace

void find_ts_v3() {
  const std::size_t window = ijk >= 200 ? 50 : 3;
  std::vector<TriConcept> fresh;
  std::vector<int> common;
  indices_ts.clear();

  for (std::size_t i = 0;; ++i) {
    // The bound looks at the store as the previous iteration left it, before
    // the positions that iteration collected are erased.
    if (i + window >= ens_tc.size()) break;
    erase_collected(indices_ts);
    if (i >= ens_tc.size()) break;
    absorb_from_predecessors(i);
    extend_with_successors(i, fresh, common);
  }
  erase_collected(indices_ts);

  merge_new_concepts(fresh);
  for (TriConcept& added : fresh) ens_tc.push_back(std::move(added));
}

}  // namespace reference
