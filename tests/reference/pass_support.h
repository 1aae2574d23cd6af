// Small operations shared by the plain reference passes.
//
// absorb_elements(from, into)   appends to `into`, in `from`'s order, every
//                               element of `from` that `into` does not hold yet;
//                               the earlier order of `into` never changes.
//                               `from` and `into` must be distinct vectors.
// erase_collected(positions)    erases the strictly ascending positions from
//                               ens_tc, then empties the list.
#pragma once

#include <vector>

namespace reference {

void absorb_elements(const std::vector<int>& from, std::vector<int>& into);
void erase_collected(std::vector<int>& positions);

}  // namespace reference
