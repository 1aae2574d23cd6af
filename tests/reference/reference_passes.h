// The plain forms of the three mining passes, the report loop and the two
// per-user evaluations: each rule written out as it
// reads, scanning the stores and lists with the set primitives. The program's
// indexed forms must give exactly the same results.
#pragma once

#include <string>
#include <vector>

#include "store/triconcept.h"

namespace reference {

void find_ts_v3();
void find_rs();
void find_ds();

// The report loop over ens_tc: the report and user lines are appended to the
// two strings, the reported concepts to ens_tc2.
void write_report(std::string& concepts, std::string& users);

// What a user served with D value d receives from the reported concepts.
std::vector<int> recommendation(int user, int d, const std::vector<TriConcept>& reported);
std::vector<int> proposal(int user, int d, const std::vector<TriConcept>& reported);

}  // namespace reference
