#include "index/shortest_lists.h"

#include <algorithm>

bool ShortestLists::in_second(std::uint32_t id) const {
  return offered < 2 || std::binary_search(second.begin(), second.end(), id);
}
