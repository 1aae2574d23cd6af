#include "output/final_filter.h"

#include <cstddef>

#include "store/set_primitives.h"

void test_inclusionFINAL(int position, const TriConcept& examined, std::vector<TriConcept>& store,
                         bool& subsumed, int* erased_before) {
  std::vector<int> copies;
  int before = 0;
  for (std::size_t i = 0; i < store.size(); ++i) {
    if (static_cast<int>(i) == position) continue;
    const TriConcept& other = store[i];
    if (!inclus_egalStandard(examined.us, other.us)) continue;
    if (!inclus_egalStandard(examined.ts, other.ts)) continue;
    if (!inclus_egalStandard(examined.rs, other.rs)) continue;
    if (!inclus_egalStandard(examined.ds, other.ds)) continue;
    if (examined.us.size() != other.us.size() || examined.ts.size() != other.ts.size() ||
        examined.rs.size() != other.rs.size() || examined.ds.size() != other.ds.size()) {
      subsumed = true;
    } else {
      copies.push_back(static_cast<int>(i));
      if (static_cast<int>(i) < position) ++before;
    }
  }
  quadmine::erase_positions(store, copies);
  if (erased_before != nullptr) *erased_before = before;
}
