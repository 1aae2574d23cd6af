#include "mining/fresh_index.h"

#include <algorithm>

#include "index/id_lists.h"
#include "index/signature.h"

namespace quadmine {

std::size_t FreshIndex::key_of(const std::span<const int> (&sets)[4],
                               std::span<const int> (&key)[4]) const {
  std::size_t parts = 0;
  for (unsigned set = 0; set < 4; ++set) {
    if (compares(set)) key[parts++] = sets[set];
  }
  return parts;
}

bool FreshIndex::accept(std::span<const int> us, std::span<const int> ts, std::span<const int> rs,
                        std::span<const int> ds) {
  return accept(us, ts, rs, ds, prepare(us, ts, rs, ds));
}

std::uint64_t FreshIndex::prepare(std::span<const int> us, std::span<const int> ts,
                                  std::span<const int> rs, std::span<const int> ds) const {
  std::span<const int> key[4];
  const std::uint64_t hash = SetKeys::hash({key, key_of({us, ts, rs, ds}, key)});
  asked_.prefetch(hash);
  return hash;
}

bool FreshIndex::accept(std::span<const int> us, std::span<const int> ts, std::span<const int> rs,
                        std::span<const int> ds, std::uint64_t ticket) {
  const std::span<const int> sets[4] = {us, ts, rs, ds};
  std::span<const int> key[4];
  if (!asked_.insert({key, key_of(sets, key)}, ticket) || covered(sets)) return false;
  add(sets);
  return true;
}

bool FreshIndex::covered(const std::span<const int> (&sets)[4]) {
  if (count_ == 0) return false;
  lists_.clear();
  for (unsigned set = 0; set < 4; ++set) {
    if (!compares(set)) continue;
    for (const int x : sets[set]) {
      const auto holders = holders_.of(set, x);
      if (holders.empty()) return false;
      lists_.push_back(holders);
    }
  }
  if (lists_.empty()) return true;  // nothing to hold: every member contains it
  std::sort(lists_.begin(), lists_.end(),
            [](const auto& a, const auto& b) { return a.size() < b.size(); });
  return have_common_id(lists_, cursors_, {signatures_, signature(sets)});
}

std::uint64_t FreshIndex::signature(const std::span<const int> (&sets)[4]) const {
  std::uint64_t bits = 0;
  for (unsigned set = 0; set < 4; ++set) {
    if (!compares(set)) continue;
    for (const int x : sets[set]) bits |= signature_bit(set, x);
  }
  return bits;
}

void FreshIndex::add(const std::span<const int> (&sets)[4]) {
  const auto id = static_cast<std::uint32_t>(count_++);
  signatures_.push_back(signature(sets));
  for (unsigned set = 0; set < 4; ++set) {
    if (!compares(set)) continue;
    for (const int x : sets[set]) holders_.add(set, x, id);
  }
}

}  // namespace quadmine
