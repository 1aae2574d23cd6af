#include "reference/pass_support.h"

#include "store/set_primitives.h"

namespace reference {

void absorb_elements(const std::vector<int>& from, std::vector<int>& into) {
  for (const int x : from) {
    if (!containsStandard(into, x)) into.push_back(x);
  }
}

void erase_collected(std::vector<int>& positions) {
  nettoyage_de_la_baseStandard(positions);
  positions.clear();
}

}  // namespace reference
