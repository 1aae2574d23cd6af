// ReportedIndex: the reported concepts prepared for the evaluations.
//
// Both evaluations serve a user with the concepts whose D set begins with the
// user's D value, and build lists of distinct elements in first-seen order.
// The index lists, for every first D value, the concepts that begin with it
// (in store order), and gives every resource and user of the concepts a dense
// number, so that "already in the list" is one look-up in an EpochSet of
// numbered() members (the caller's scratch, one per list being built) instead
// of a scan of the list. Resources and users never share a number.
//
// The index is not changed by queries. It refers to the store it was built
// from, which must outlive it and stay unchanged.
#pragma once

#include <cstddef>
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

  // Dense number of the k-th resource / user of concept c.
  std::uint32_t resource_number(std::uint32_t c, std::size_t k) const {
    return dense_rs_[rs_starts_[c] + k];
  }
  std::uint32_t user_number(std::uint32_t c, std::size_t k) const {
    return dense_us_[us_starts_[c] + k];
  }

  // How many dense numbers there are.
  std::size_t numbered() const { return numbered_; }

 private:
  const std::vector<TriConcept>& reported_;
  std::vector<int> first_ds_;                         // distinct first D values, sorted
  std::vector<std::uint32_t> by_first_d_;             // positions grouped by first D
  std::vector<std::uint32_t> group_starts_;           // first_ds_.size() + 1 boundaries
  std::vector<std::uint32_t> dense_rs_, dense_us_;    // dense number of each element
  std::vector<std::uint32_t> rs_starts_, us_starts_;  // per concept, into dense_*
  std::size_t numbered_ = 0;
};
