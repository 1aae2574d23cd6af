// Removal of the records marked dead, in one pass.
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

namespace quadmine {

// Removes from `store` every record whose flag in `alive` is 0, keeping the
// order of the others. `alive` has one flag per record.
template <typename Record>
void erase_dead(std::vector<Record>& store, const std::vector<char>& alive) {
  std::size_t kept = 0;
  for (std::size_t id = 0; id < store.size(); ++id) {
    if (!alive[id]) continue;
    if (kept != id) store[kept] = std::move(store[id]);
    ++kept;
  }
  store.resize(kept);
}

// Moves the records of `added` to the end of `store`, in their order, growing
// `store` once to the exact size, and frees `added`.
template <typename Record>
void append_all(std::vector<Record>& store, std::vector<Record>& added) {
  store.reserve(store.size() + added.size());
  for (Record& record : added) store.push_back(std::move(record));
  added = std::vector<Record>();  // (`= {}` would need copyable records)
}

}  // namespace quadmine
