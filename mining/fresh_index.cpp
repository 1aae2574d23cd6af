#include "mining/fresh_index.h"

#include "index/shortest_lists.h"

bool FreshIndex::accept(std::span<const int> us, std::span<const int> ts, std::span<const int> rs,
                        std::span<const int> ds) {
  const std::span<const int> sets[4] = {us, ts, rs, ds};
  // Candidates repeat a lot (the same common sets from many pairs).
  if (!first_time_asked(sets) || covered()) return false;
  add(sets);
  return true;
}

bool FreshIndex::first_time_asked(const std::span<const int> (&sets)[4]) {
  key_.clear();
  for (unsigned set = 0; set < 4; ++set) {
    if (!compares(set)) continue;
    sort_distinct(sets[set], scratch_[set]);
    const auto size = static_cast<std::uint32_t>(scratch_[set].size());
    key_.append(reinterpret_cast<const char*>(&size), sizeof size);
    key_.append(reinterpret_cast<const char*>(scratch_[set].data()), size * sizeof(int));
  }
  return asked_.insert(key_).second;
}

bool FreshIndex::covered() const {
  // A covering member holds every element of the compared sets, the two
  // rarest included.
  ShortestLists lists;
  for (unsigned set = 0; set < 4; ++set) {
    if (!compares(set)) continue;
    for (const int x : scratch_[set]) {
      const auto holders = holders_[set].of(x);
      if (holders.empty()) return false;
      lists.offer(holders);
    }
  }
  if (lists.offered == 0) {
    for (std::uint32_t m = 0; m < count_; ++m) {
      if (member_covers(m)) return true;
    }
    return false;
  }
  // Members accepted lately come from the same current concept as the
  // candidate more often than not, so they are the likeliest to cover it.
  for (auto it = lists.rarest.rbegin(); it != lists.rarest.rend(); ++it) {
    if (lists.in_second(*it) && member_covers(*it)) return true;
  }
  return false;
}

bool FreshIndex::member_covers(std::uint32_t member) const {
  for (unsigned set = 0; set < 4; ++set) {
    if (compares(set) && !sorted_includes(scratch_[set], sets_.get(4 * member + set))) {
      return false;
    }
  }
  return true;
}

void FreshIndex::add(const std::span<const int> (&sets)[4]) {
  const auto id = static_cast<std::uint32_t>(count_++);
  for (unsigned set = 0; set < 4; ++set) {
    const std::uint32_t slot = sets_.add(sets[set]);
    if (!compares(set)) continue;
    for (const int x : sets_.get(slot)) holders_[set].add(x, id);
  }
}
