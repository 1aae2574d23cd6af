// FreshIndex: the new concepts accepted so far by one mining pass.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "index/postings.h"
#include "index/set_keys.h"

namespace quadmine {

class FreshIndex {
 public:
  // The sets in which an accepted concept must contain a candidate to cover
  // it (any combination of the four).
  enum ComparedSet : unsigned { kU = 1, kT = 2, kR = 4, kD = 8 };

  explicit FreshIndex(unsigned compared) : compared_(compared) {}

  // Decides on one candidate, given by its four sets, each sorted and
  // distinct (a set that is not compared may be empty). When some accepted
  // concept contains it in every compared set, returns false. Otherwise the
  // candidate becomes an accepted concept and true is returned.
  //
  // An accepted concept contains the candidate exactly when it holds every
  // element of the candidate's compared sets, so the question is whether the
  // holder lists of those elements have a member in common. A candidate equal,
  // in the compared sets, to one decided on before is refused at once: that
  // one was either covered or accepted.
  bool accept(std::span<const int> us, std::span<const int> ts, std::span<const int> rs,
              std::span<const int> ds);

  // The same decision in two steps, so that several candidates can be looked
  // up at once: prepare() returns a ticket for the candidate and starts
  // fetching what accept() will read; accept() with the ticket then decides
  // exactly as above. Candidates are decided in the order of the accept()
  // calls.
  std::uint64_t prepare(std::span<const int> us, std::span<const int> ts, std::span<const int> rs,
                        std::span<const int> ds) const;
  bool accept(std::span<const int> us, std::span<const int> ts, std::span<const int> rs,
              std::span<const int> ds, std::uint64_t ticket);

  // Number of accepted concepts.
  std::size_t size() const { return count_; }

 private:
  bool compares(unsigned set) const { return (compared_ & (1u << set)) != 0; }
  // The compared sets among `sets`, in `key`; returns their number.
  std::size_t key_of(const std::span<const int> (&sets)[4], std::span<const int> (&key)[4]) const;
  bool covered(const std::span<const int> (&sets)[4]);
  void add(const std::span<const int> (&sets)[4]);
  std::uint64_t signature(const std::span<const int> (&sets)[4]) const;

  unsigned compared_;
  std::size_t count_ = 0;
  Postings<std::uint32_t> holders_{4};     // per compared set: element -> members holding it
  SetKeys asked_;                          // the compared sets of every candidate decided on
  std::vector<std::uint64_t> signatures_;  // per member: signature of its compared sets
  std::vector<std::span<const std::uint32_t>> lists_;  // scratch of covered()
  std::vector<std::size_t> cursors_;                   // scratch of covered()
};

}  // namespace quadmine
