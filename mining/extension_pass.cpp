#include "mining/extension_pass.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

#include "mining/set_index.h"
#include "store/globals.h"
#include "store/progress.h"
#include "store/store_helpers.h"

// The pass walks the store by stable ids: a concept's id is its position when
// the pass starts. Erasing a concept only marks it dead, so the i-th current
// concept is simply the next live id, and "every later concept" is every live
// id above the current one. Only the current concept changes during its
// iteration (its grown list), so the U, T and third sets of every concept can
// be indexed once, as sorted copies and as postings (element -> ids).
//
// A later concept can only matter to the current one if it shares a user, a
// tag and an element of the third set with it (absorbing requires containing
// them, building requires common lists of at least one element each). The
// neighbours visited are therefore those found in the postings of the current
// concept's elements, in the dimension where those lists are shortest (and in
// the second shortest too, when that is cheap), taken in ascending id order;
// every other neighbour would change nothing.

namespace {

using Set = std::vector<int> TriConcept::*;

// What distinguishes the resource pass from the D pass.
struct Dimension {
  Set grown;                  // the list that grows: rs or ds
  Set gate;                   // must reach gate_threshold: ts or rs
  int gate_threshold;
  Set third;                  // containment and common list besides U and T: ds or rs
  int third_threshold;        // threshold of the common third list
  bool third_length_counts;   // whether a collected neighbour needs a third list as long
  std::vector<int>& erasure;  // indices_rs or indices_ds
};

bool reaches(std::size_t size, int threshold) {
  return size >= static_cast<std::size_t>(threshold);
}

// The three compared sets, in the order U, T, third.
constexpr int kCompared = 3;

class ExtensionPass {
 public:
  explicit ExtensionPass(const Dimension& dim) : dim_(dim), n_(ens_tc.size()) {
    alive_.assign(n_, 1);
    gate_ok_.resize(n_);
    for (std::uint32_t id = 0; id < n_; ++id) {
      const TriConcept& c = ens_tc[id];
      gate_ok_[id] = reaches((c.*dim_.gate).size(), dim_.gate_threshold);
      for (int s = 0; s < kCompared; ++s) {
        sorted_.add(c.*compared(s));
        if (!gate_ok_[id]) continue;
        for (const int x : sorted(id, s)) postings_[s].add(x, id);
      }
    }
    seen_.assign(n_, 0);
    // With every threshold at least 1, a new concept needs common elements in
    // all three compared sets.
    sharing_required_ = minsupp_t >= 1 && minsupp_u >= 1 && dim_.third_threshold >= 1;
  }

  void run() {
    dim_.erasure.clear();
    std::size_t alive_count = n_;
    std::vector<std::uint32_t> collected;
    std::size_t cur = static_cast<std::size_t>(-1);
    for (std::size_t i = 0;; ++i) {
      // The bound looks at the store as the previous iteration left it.
      if (i + 1 >= alive_count) break;
      for (const std::uint32_t k : collected) alive_[k] = 0;
      alive_count -= collected.size();
      collected.clear();
      if (i >= alive_count) break;
      do ++cur; while (!alive_[cur]);
      progress_step(i);
      if (gate_ok_[cur]) scan(static_cast<std::uint32_t>(cur), collected);
    }
    for (const std::uint32_t k : collected) alive_[k] = 0;

    // Survivors in their order, then the accepted new concepts.
    erase_dead(ens_tc, alive_);
    for (TriConcept& added : fresh_) ens_tc.push_back(std::move(added));
  }

 private:
  Set compared(int s) const { return s == 0 ? &TriConcept::us : s == 1 ? &TriConcept::ts : dim_.third; }
  std::span<const int> sorted(std::uint32_t id, int s) const {
    return sorted_.get(kCompared * id + static_cast<std::uint32_t>(s));
  }

  // Live ids above `cur` that share an element with it in the compared set
  // whose postings are shortest (and, when that is cheap, also in the second
  // shortest), in ascending order.
  void gather_neighbours(std::uint32_t cur) {
    neighbours_.clear();
    int best = -1, second = -1;
    std::size_t cost[kCompared] = {};
    for (int s = 0; s < kCompared; ++s) {
      if (sorted(cur, s).empty()) continue;
      for (const int x : sorted(cur, s)) {
        const auto p = postings_[s].of(x);
        cost[s] += static_cast<std::size_t>(p.end() - std::upper_bound(p.begin(), p.end(), cur));
      }
      if (best < 0 || cost[s] < cost[best]) {
        second = best;
        best = s;
      } else if (second < 0 || cost[s] < cost[second]) {
        second = s;
      }
    }
    if (best < 0 || !sharing_required_) {  // every later concept may matter
      for (std::uint32_t k = cur + 1; k < n_; ++k) {
        if (alive_[k] && gate_ok_[k]) neighbours_.push_back(k);
      }
      return;
    }
    // Walking a posting entry costs far less than examining a neighbour, so
    // a second, somewhat longer set of postings still pays for itself.
    const bool intersect = second >= 0 && cost[second] <= 8 * cost[best];
    const std::uint32_t first_epoch = ++epoch_;
    for (const int x : sorted(cur, best)) {
      const auto p = postings_[best].of(x);
      for (auto it = std::upper_bound(p.begin(), p.end(), cur); it != p.end(); ++it) {
        if (alive_[*it] && seen_[*it] != first_epoch) {
          seen_[*it] = first_epoch;
          if (!intersect) neighbours_.push_back(*it);
        }
      }
    }
    if (intersect) {
      const std::uint32_t second_epoch = ++epoch_;
      for (const int x : sorted(cur, second)) {
        const auto p = postings_[second].of(x);
        for (auto it = std::upper_bound(p.begin(), p.end(), cur); it != p.end(); ++it) {
          if (seen_[*it] == first_epoch) {
            seen_[*it] = second_epoch;
            neighbours_.push_back(*it);
          }
        }
      }
    }
    std::sort(neighbours_.begin(), neighbours_.end());
  }

  bool contained_in(std::uint32_t cur, std::uint32_t k) const {
    for (int s = 0; s < kCompared; ++s) {
      if (!sorted_includes(sorted(cur, s), sorted(k, s))) return false;
    }
    return true;
  }

  // Elements of the current concept's set s, in its order, found in k's.
  static void common(const std::vector<int>& mine, std::span<const int> theirs,
                     std::vector<int>& out) {
    out.clear();
    for (const int x : mine) {
      if (sorted_contains(theirs, x)) out.push_back(x);
    }
  }

  void scan(std::uint32_t cur, std::vector<std::uint32_t>& collected) {
    TriConcept& current = ens_tc[cur];
    std::vector<int>& grown = current.*dim_.grown;
    grown_marks_.clear();
    for (const int x : grown) grown_marks_.insert(x);

    gather_neighbours(cur);
    for (const std::uint32_t k : neighbours_) {
      const TriConcept& neighbour = ens_tc[k];
      const std::vector<int>& offered = neighbour.*dim_.grown;
      if (contained_in(cur, k) && !offered.empty() && !grown_marks_.has(offered.front())) {
        for (const int x : offered) {
          if (!grown_marks_.has(x)) {
            grown_marks_.insert(x);
            grown.push_back(x);
          }
        }
        if (current.ts.size() == neighbour.ts.size() && current.us.size() == neighbour.us.size() &&
            (!dim_.third_length_counts ||
             (current.*dim_.third).size() == (neighbour.*dim_.third).size())) {
          collected.push_back(k);
        }
        continue;
      }
      try_new_concept(cur, k);
    }
  }

  void try_new_concept(std::uint32_t cur, std::uint32_t k) {
    const TriConcept& current = ens_tc[cur];
    common(current.ts, sorted(k, 1), common_ts_);
    if (!reaches(common_ts_.size(), minsupp_t)) return;
    common(current.us, sorted(k, 0), common_us_);
    if (!reaches(common_us_.size(), minsupp_u)) return;
    common(current.*dim_.third, sorted(k, 2), common_third_);
    if (!reaches(common_third_.size(), dim_.third_threshold)) return;

    // The union of both grown lists: the current one as it stands, then what
    // the neighbour adds.
    union_.assign((current.*dim_.grown).begin(), (current.*dim_.grown).end());
    union_marks_.clear();
    for (const int x : ens_tc[k].*dim_.grown) {
      if (!grown_marks_.has(x) && !union_marks_.has(x)) {
        union_marks_.insert(x);
        union_.push_back(x);
      }
    }

    const bool grows_r = dim_.grown == &TriConcept::rs;
    const std::vector<int>& rs = grows_r ? union_ : common_third_;
    const std::vector<int>& ds = grows_r ? common_third_ : union_;
    if (fresh_index_.covers(common_us_, common_ts_, rs, ds)) return;

    TriConcept candidate;
    candidate.us = common_us_;
    candidate.ts = common_ts_;
    candidate.rs = rs;
    candidate.ds = ds;
    fresh_index_.add(candidate);
    fresh_.push_back(std::move(candidate));
  }

  const Dimension& dim_;
  const std::size_t n_;
  std::vector<char> alive_;
  std::vector<char> gate_ok_;
  SortedSets sorted_;            // kCompared slots per id: U, T, third
  Postings postings_[kCompared]; // gated concepts only
  bool sharing_required_ = true;
  std::vector<std::uint32_t> seen_;
  std::uint32_t epoch_ = 0;
  std::vector<std::uint32_t> neighbours_;
  ElementMarks grown_marks_;     // elements of the current concept's grown list
  ElementMarks union_marks_;
  std::vector<int> common_ts_, common_us_, common_third_, union_;
  FreshIndex fresh_index_{FreshIndex::kU | FreshIndex::kT | FreshIndex::kR | FreshIndex::kD};
  std::vector<TriConcept> fresh_;
};

void extend(const char* name, const Dimension& dim) {
  progress_begin(name, ens_tc.size());
  ExtensionPass(dim).run();
  progress_end();
}

}  // namespace

void find_rs() {
  extend("resource pass", {&TriConcept::rs, &TriConcept::ts, minsupp_t, &TriConcept::ds, minsupp_d, false,
          indices_rs});
}

void find_ds() {
  extend("D pass", {&TriConcept::ds, &TriConcept::rs, minsupp_r, &TriConcept::rs, minsupp_r, true,
          indices_ds});
}
