// ShortestLists keeps the two shortest of the id lists offered to it. A
// record that holds every element of a query is in the holder list of each of
// those elements, so the records worth examining are the members of the
// shortest list that are also in the second shortest.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

struct ShortestLists {
  std::span<const std::uint32_t> rarest;
  std::span<const std::uint32_t> second;  // meaningful when offered >= 2
  std::size_t offered = 0;

  // Offers one list (ascending ids).
  void offer(std::span<const std::uint32_t> list) {
    if (offered == 0 || list.size() < rarest.size()) {
      second = rarest;
      rarest = list;
    } else if (offered == 1 || list.size() < second.size()) {
      second = list;
    }
    ++offered;
  }

  // Whether `id`, taken from `rarest`, is also in `second` (always true when
  // fewer than two lists were offered).
  bool in_second(std::uint32_t id) const;
};
