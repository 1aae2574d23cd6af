// Postings: for each value of each of a few sets, the list of entries (one
// per record holding the value, in the order they were added) of the records
// that hold it. The entry is a record's id, or its id with what the owner
// keeps beside it; every owner adds the ids of one list in ascending order.
//
// The lists of all the sets are numbered together, in the order their values
// first came, so that an owner can keep something per list (cursors, counts,
// block summaries) in a plain array.
//
// The lists take their memory from a memory resource, by default the heap,
// each list a block of its own that grows as entries come. An owner that
// counts the entries of each list beforehand can give a resource that lays
// the lists out one after the other in one block, reserve() each list's
// count, and so hold them all in one array that goes back to the system at
// once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory_resource>
#include <span>
#include <vector>

#include "index/flat_int_map.h"

namespace quadmine {

template <typename Entry>
class Postings {
 public:
  static constexpr std::uint32_t kAbsent = FlatIntMap::kAbsent;

  // Lists for values of sets 0 .. sets - 1, their entries in `memory`, which
  // must outlive the postings.
  explicit Postings(unsigned sets,
                    std::pmr::memory_resource* memory = std::pmr::get_default_resource())
      : numbers_(sets), memory_(memory) {}

  // The number of the list of `value` in set `set`, or kAbsent.
  std::uint32_t find(unsigned set, int value) const { return numbers_[set].find(value); }
  // The number of the list of `value` in set `set`, a new empty one when it
  // has none.
  std::uint32_t list_of(unsigned set, int value) {
    const auto fresh = static_cast<std::uint32_t>(lists_.size());
    const std::uint32_t list = numbers_[set].emplace(value, fresh);
    if (list == fresh) lists_.emplace_back(memory_);
    return list;
  }
  // Number of lists.
  std::size_t lists() const { return lists_.size(); }

  // Room for `entries` entries in list `list`, so that a list filled to a
  // size counted beforehand takes no more memory than it needs.
  void reserve(std::uint32_t list, std::size_t entries) { lists_[list].reserve(entries); }
  void add(std::uint32_t list, const Entry& entry) { lists_[list].push_back(entry); }
  void add(unsigned set, int value, const Entry& entry) { add(list_of(set, value), entry); }

  std::span<const Entry> list(std::uint32_t list) const { return lists_[list]; }
  // The entries of `value` in set `set`; empty when there are none.
  std::span<const Entry> of(unsigned set, int value) const {
    const std::uint32_t list = find(set, value);
    if (list == kAbsent) return {};
    return lists_[list];
  }

 private:
  std::vector<FlatIntMap> numbers_;  // per set: value -> number of its list
  std::pmr::memory_resource* memory_;
  std::vector<std::pmr::vector<Entry>> lists_;
};

}  // namespace quadmine
