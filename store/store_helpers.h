// Small helpers shared by the indexed phases.
//
// erase_dead(store, alive)  removes from `store` every record whose flag in
//                           `alive` is 0, keeping the order of the others.
// ShortestLists             keeps the two shortest of the lists offered to it:
//                           a record that holds every element of a concept is
//                           in the holder list of each element, so the two
//                           shortest lists bound the search.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "store/triconcept.h"

void erase_dead(std::vector<TriConcept>& store, const std::vector<char>& alive);

struct ShortestLists {
  std::span<const std::uint32_t> rarest;
  std::span<const std::uint32_t> second;  // meaningful when offered >= 2
  std::size_t offered = 0;

  void offer(std::span<const std::uint32_t> list) {
    if (offered == 0 || list.size() < rarest.size()) {
      second = rarest;
      rarest = list;
    } else if (offered == 1 || list.size() < second.size()) {
      second = list;
    }
    ++offered;
  }
  // Whether `id`, taken from `rarest`, is also in `second`.
  bool in_second(std::uint32_t id) const;
};
