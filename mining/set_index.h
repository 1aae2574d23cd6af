// Building blocks of the indexed mining passes.
//
// SortedSets   sorted, distinct copies of many small sets in one pool, so that
//              "every element of a occurs in b" is a merge and membership a
//              binary search. Inclusion ignores order and repetition, exactly
//              like inclus_egalStandard.
// ElementMarks a set of int values with O(1) insert / test and O(1) clear,
//              over values numbered densely (unknown values are numbered on
//              first sight).
// Postings     for each value, the ascending ids of the concepts that hold it.
// FreshIndex   the new concepts accepted so far in a pass, answering "does an
//              accepted concept contain this candidate in the compared sets?"
//              by looking only at the accepted concepts that hold the
//              candidate's rarest element of the compared sets. A candidate
//              equal (in the compared sets) to one asked about before is
//              covered at once: that one was either covered or accepted.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "store/triconcept.h"

class SortedSets {
 public:
  SortedSets() { starts_.push_back(0); }
  // Appends a sorted distinct copy of `set`; returns its slot.
  std::uint32_t add(std::span<const int> set);
  std::span<const int> get(std::uint32_t slot) const {
    return {pool_.data() + starts_[slot], starts_[slot + 1] - starts_[slot]};
  }

 private:
  std::vector<int> pool_;
  std::vector<std::size_t> starts_;
};

// a (sorted, distinct) is included in b (sorted, distinct).
bool sorted_includes(std::span<const int> a, std::span<const int> b);
bool sorted_contains(std::span<const int> set, int x);

class ElementMarks {
 public:
  void clear();  // forgets every element
  bool has(int x) const;
  void insert(int x);

 private:
  std::uint32_t number(int x);
  std::unordered_map<int, std::uint32_t> numbers_;
  std::vector<std::uint32_t> stamp_;
  std::uint32_t epoch_ = 1;
};

class Postings {
 public:
  void add(int value, std::uint32_t id) { lists_[value].push_back(id); }
  // Ascending ids added for `value` (ids must be added in ascending order).
  std::span<const std::uint32_t> of(int value) const;

 private:
  std::unordered_map<int, std::vector<std::uint32_t>> lists_;
};

class FreshIndex {
 public:
  enum Set : unsigned { kU = 1, kT = 2, kR = 4, kD = 8 };
  // `compared`: the sets in which a member must contain the candidate.
  explicit FreshIndex(unsigned compared) : compared_(compared) {}

  // True when some accepted concept contains the candidate in every compared
  // set. When it returns false the caller accepts the candidate: add() it
  // before the next call.
  bool covers(std::span<const int> us, std::span<const int> ts, std::span<const int> rs,
              std::span<const int> ds);
  void add(const TriConcept& accepted);
  std::size_t size() const { return count_; }

 private:
  bool member_covers(std::uint32_t member) const;

  unsigned compared_;
  std::size_t count_ = 0;
  SortedSets sets_;  // four slots per member: U, T, R, D
  Postings holders_[4];  // per compared set: element -> members holding it
  std::vector<int> scratch_[4];  // the candidate's sets, sorted and distinct
  std::string key_;              // the same, as bytes
  std::unordered_set<std::string> asked_;  // keys of every candidate asked about
};
