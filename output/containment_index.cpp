#include "output/containment_index.h"

ContainmentIndex::ContainmentIndex(const std::vector<TriConcept>& store) : alive_(store.size(), 1) {
  for (std::size_t id = 0; id < store.size(); ++id) {
    const TriConcept& c = store[id];
    const std::vector<int>* lists[kSets] = {&c.us, &c.ts, &c.rs, &c.ds};
    for (int set = 0; set < kSets; ++set) {
      const std::uint32_t slot = sets_.add(*lists[set]);
      for (const int x : sets_.get(slot)) holders_[set].add(x, static_cast<std::uint32_t>(id));
    }
  }
}

bool ContainmentIndex::included(std::size_t a, std::size_t b, int set) const {
  return sorted_includes(distinct(a, set), distinct(b, set));
}

ShortestLists ContainmentIndex::candidates(std::size_t id) const {
  ShortestLists lists;
  for (int set = 0; set < kSets; ++set) {
    for (const int x : distinct(id, set)) lists.offer(holders_[set].of(x));
  }
  return lists;
}
