#include "mining/set_index.h"

#include "store/store_helpers.h"

#include <algorithm>

std::uint32_t SortedSets::add(std::span<const int> set) {
  const auto begin = pool_.insert(pool_.end(), set.begin(), set.end());
  std::sort(begin, pool_.end());
  pool_.erase(std::unique(begin, pool_.end()), pool_.end());
  starts_.push_back(pool_.size());
  return static_cast<std::uint32_t>(starts_.size() - 2);
}

bool sorted_includes(std::span<const int> a, std::span<const int> b) {
  if (a.size() > b.size()) return false;
  if (a.size() <= 4) {
    for (const int x : a) {
      if (!sorted_contains(b, x)) return false;
    }
    return true;
  }
  return std::includes(b.begin(), b.end(), a.begin(), a.end());
}

bool sorted_contains(std::span<const int> set, int x) {
  return std::binary_search(set.begin(), set.end(), x);
}

void ElementMarks::clear() {
  if (++epoch_ == 0) {
    std::fill(stamp_.begin(), stamp_.end(), 0);
    epoch_ = 1;
  }
}

bool ElementMarks::has(int x) const {
  const auto it = numbers_.find(x);
  return it != numbers_.end() && stamp_[it->second] == epoch_;
}

void ElementMarks::insert(int x) { stamp_[number(x)] = epoch_; }

std::uint32_t ElementMarks::number(int x) {
  const auto [it, added] = numbers_.emplace(x, static_cast<std::uint32_t>(stamp_.size()));
  if (added) stamp_.push_back(0);
  return it->second;
}

std::span<const std::uint32_t> Postings::of(int value) const {
  const auto it = lists_.find(value);
  if (it == lists_.end()) return {};
  return it->second;
}

namespace {
void sort_distinct(std::span<const int> set, std::vector<int>& out) {
  out.assign(set.begin(), set.end());
  std::sort(out.begin(), out.end());
  out.erase(std::unique(out.begin(), out.end()), out.end());
}
}  // namespace

bool FreshIndex::member_covers(std::uint32_t member) const {
  for (unsigned dim = 0; dim < 4; ++dim) {
    if ((compared_ & (1u << dim)) == 0) continue;
    if (!sorted_includes(scratch_[dim], sets_.get(4 * member + dim))) return false;
  }
  return true;
}

bool FreshIndex::covers(std::span<const int> us, std::span<const int> ts,
                        std::span<const int> rs, std::span<const int> ds) {
  const std::span<const int> sets[4] = {us, ts, rs, ds};
  key_.clear();
  for (unsigned dim = 0; dim < 4; ++dim) {
    if ((compared_ & (1u << dim)) == 0) continue;
    sort_distinct(sets[dim], scratch_[dim]);
    const auto size = static_cast<std::uint32_t>(scratch_[dim].size());
    key_.append(reinterpret_cast<const char*>(&size), sizeof size);
    key_.append(reinterpret_cast<const char*>(scratch_[dim].data()), size * sizeof(int));
  }
  // Candidates repeat a lot (the same common sets from many pairs). One asked
  // about before was covered then, or was accepted: either way it is covered.
  if (!asked_.insert(key_).second) return true;

  // A covering member holds every element of the compared sets, the two
  // rarest included.
  ShortestLists lists;
  for (unsigned dim = 0; dim < 4; ++dim) {
    if ((compared_ & (1u << dim)) == 0) continue;
    for (const int x : scratch_[dim]) {
      const auto p = holders_[dim].of(x);
      if (p.empty()) return false;
      lists.offer(p);
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

void FreshIndex::add(const TriConcept& accepted) {
  const auto id = static_cast<std::uint32_t>(count_++);
  const std::vector<int>* sets[4] = {&accepted.us, &accepted.ts, &accepted.rs, &accepted.ds};
  for (unsigned dim = 0; dim < 4; ++dim) {
    const std::uint32_t slot = sets_.add(*sets[dim]);
    if ((compared_ & (1u << dim)) == 0) continue;
    for (const int x : sets_.get(slot)) holders_[dim].add(x, id);
  }
}
