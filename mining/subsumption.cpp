#include "mining/subsumption.h"

#include "store/set_primitives.h"

void test_inclusion(const TriConcept& candidate, const std::vector<TriConcept>& list,
                    bool& covered) {
  for (const TriConcept& member : list) {
    if (!inclus_egalStandard(candidate.us, member.us)) continue;
    if (!inclus_egalStandard(candidate.rs, member.rs)) continue;
    if (!inclus_egalStandard(candidate.ds, member.ds)) continue;
    covered = true;
    return;
  }
}

void test_inclusionRS(const TriConcept& candidate, const std::vector<TriConcept>& list,
                      bool& covered) {
  for (const TriConcept& member : list) {
    if (!inclus_egalStandard(candidate.us, member.us)) continue;
    if (!inclus_egalStandard(candidate.ts, member.ts)) continue;
    if (!inclus_egalStandard(candidate.ds, member.ds)) continue;
    if (!inclus_egalStandard(candidate.rs, member.rs)) continue;
    covered = true;
    return;
  }
}

void test_inclusionAVECSIZE(const TriConcept& candidate, const std::vector<TriConcept>& list,
                            bool& found) {
  for (const TriConcept& member : list) {
    if (!inclus_egalStandard(candidate.us, member.us)) continue;
    if (!inclus_egalStandard(candidate.ts, member.ts)) continue;
    if (!inclus_egalStandard(candidate.rs, member.rs)) continue;
    if (candidate.us.size() != member.us.size()) continue;
    if (candidate.ts.size() != member.ts.size()) continue;
    if (candidate.rs.size() != member.rs.size()) continue;
    found = true;
    return;
  }
}
