#include "store/store_helpers.h"

#include <algorithm>
#include <utility>

void erase_dead(std::vector<TriConcept>& store, const std::vector<char>& alive) {
  std::size_t kept = 0;
  for (std::size_t id = 0; id < store.size(); ++id) {
    if (!alive[id]) continue;
    if (kept != id) store[kept] = std::move(store[id]);
    ++kept;
  }
  store.resize(kept);
}

bool ShortestLists::in_second(std::uint32_t id) const {
  return offered < 2 || std::binary_search(second.begin(), second.end(), id);
}
