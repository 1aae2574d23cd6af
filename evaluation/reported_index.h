// ReportedIndex: the reported concepts prepared for the evaluations.
//
// Both evaluations serve a user with the concepts whose D set begins with the
// user's D value, and build lists of distinct ids in first-seen order. The
// index lists, for every first D value, the concepts that begin with it (in
// store order), and gives every resource and user of the concepts a dense
// number so that "already in the list" is one array look-up instead of a scan
// of the list.
//
// The index refers to the store it was built from, which must outlive it and
// stay unchanged.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "store/triconcept.h"

class ReportedIndex {
 public:
  explicit ReportedIndex(const std::vector<TriConcept>& reported);

  const std::vector<TriConcept>& reported() const { return reported_; }

  // Positions of the concepts whose first D value is d, ascending.
  std::span<const std::uint32_t> beginning_with(int d) const;

  // First-seen filter for one list: start_list() forgets every id, then
  // first_resource / first_user return true the first time they see the k-th
  // element of the R / U set of concept `c`.
  void start_list();
  bool first_resource(std::uint32_t c, std::size_t k);
  bool first_user(std::uint32_t c, std::size_t k);

 private:
  const std::vector<TriConcept>& reported_;
  std::vector<int> first_ds_;                // distinct first D values, sorted
  std::vector<std::uint32_t> by_first_d_;    // concept positions grouped by first D
  std::vector<std::uint32_t> group_starts_;  // first_ds_.size() + 1 boundaries
  std::vector<std::uint32_t> dense_rs_, dense_us_;   // dense number of each element
  std::vector<std::uint32_t> rs_starts_, us_starts_; // per concept, into dense_*
  std::vector<std::uint32_t> seen_;          // epoch at which each dense id was seen
  std::uint32_t epoch_ = 0;
};
