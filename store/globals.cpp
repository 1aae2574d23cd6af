#include "store/globals.h"

#include "store/thresholds.h"

// Defined in this order so that they are constructed in it and destroyed in
// the reverse order after main returns.
std::vector<TriConcept> ens_tc;
std::vector<TriConcept> ens_tc2;
std::vector<int> indices_ts;
std::vector<int> indices_rs;
std::vector<int> indices_ds;

int minsupp_u = 2;
int minsupp_t = 2;
int minsupp_r = 2;
int minsupp_d = 2;

int ijk = 0;
std::FILE* fp = nullptr;

namespace quadmine {

void reset_run_state() {
  ens_tc.clear();
  ens_tc2.clear();
  indices_ts.clear();
  indices_rs.clear();
  indices_ds.clear();
  minsupp_u = minsupp_t = minsupp_r = minsupp_d = 2;
  ijk = 0;
  fp = nullptr;
}

Thresholds thresholds_from_globals() { return {minsupp_u, minsupp_t, minsupp_r, minsupp_d}; }

}  // namespace quadmine
