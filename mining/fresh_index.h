// FreshIndex: the new concepts accepted so far by one mining pass.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <unordered_set>
#include <vector>

#include "index/postings.h"
#include "index/sorted_sets.h"

class FreshIndex {
 public:
  // The sets in which an accepted concept must contain a candidate to cover
  // it (any combination of the four).
  enum ComparedSet : unsigned { kU = 1, kT = 2, kR = 4, kD = 8 };

  explicit FreshIndex(unsigned compared) : compared_(compared) {}

  // Decides on one candidate, given by its four sets (a set that is not
  // compared may be empty). When some accepted concept contains it in every
  // compared set, returns false. Otherwise the candidate becomes an accepted
  // concept and true is returned. Only the accepted concepts that hold the
  // candidate's two rarest elements are examined, and a candidate equal, in
  // the compared sets, to one decided on before is refused at once: that one
  // was either covered or accepted.
  bool accept(std::span<const int> us, std::span<const int> ts, std::span<const int> rs,
              std::span<const int> ds);

  // Number of accepted concepts.
  std::size_t size() const { return count_; }

 private:
  bool compares(unsigned set) const { return (compared_ & (1u << set)) != 0; }
  // Sorts the candidate's compared sets into scratch_ and key_; false when
  // the same key was decided on before.
  bool first_time_asked(const std::span<const int> (&sets)[4]);
  bool covered() const;
  bool member_covers(std::uint32_t member) const;
  void add(const std::span<const int> (&sets)[4]);

  unsigned compared_;
  std::size_t count_ = 0;
  SortedSets sets_;                        // four slots per member: U, T, R, D
  Postings holders_[4];                    // per compared set: element -> members
  std::vector<int> scratch_[4];            // the candidate's sets, sorted and distinct
  std::string key_;                        // the same, as bytes
  std::unordered_set<std::string> asked_;  // keys of every candidate decided on
};
