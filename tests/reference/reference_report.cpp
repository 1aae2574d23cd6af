#include <string>

#include "output/final_filter.h"
#include "reference/reference_passes.h"
#include "store/globals.h"

namespace reference {

// The plain loop: examine each position of the shrinking store in turn; when
// equal copies before it were erased, the examined record moved down.
void write_report(std::string& concepts, std::string& users) {
  for (std::size_t i = 0; i < ens_tc.size(); ++i) {
    const TriConcept& c = ens_tc[i];
    if (c.us.size() < static_cast<std::size_t>(minsupp_u) ||
        c.ts.size() < static_cast<std::size_t>(minsupp_t) ||
        c.rs.size() < static_cast<std::size_t>(minsupp_r) ||
        c.ds.size() < static_cast<std::size_t>(minsupp_d)) {
      continue;
    }
    bool subsumed = false;
    int before = 0;
    test_inclusionFINAL(static_cast<int>(i), ens_tc[i], ens_tc, subsumed, &before);
    i -= static_cast<std::size_t>(before);
    if (subsumed) continue;
    const TriConcept& r = ens_tc[i];
    ens_tc2.push_back(r);
    const auto put = [&](const std::vector<int>& set) {
      for (const int x : set) concepts += std::to_string(x) + ", ";
    };
    concepts += "\nU = {";
    put(r.us);
    concepts += "},  T = {";
    put(r.ts);
    concepts += "},  R = {";
    put(r.rs);
    concepts += "},  D = {";
    put(r.ds);
    concepts += "}";
    for (const int u : r.us) users += std::to_string(u) + " " + std::to_string(r.ds[0]) + "\n";
  }
}

}  // namespace reference
