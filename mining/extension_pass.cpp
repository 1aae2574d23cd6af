#include "mining/extension_pass.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

#include "driver/progress.h"
#include "index/compaction.h"
#include "index/epoch_set.h"
#include "index/postings.h"
#include "index/sorted_sets.h"
#include "mining/fresh_index.h"
#include "store/globals.h"
#include "store/thresholds.h"

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
// concept's elements, in the compared set where those lists are shortest (and
// in the second shortest too, when that is cheap), taken in ascending id
// order; every other neighbour would change nothing.

namespace {

using SetMember = std::vector<int> TriConcept::*;

// What distinguishes the resource pass from the D pass.
struct ExtensionRoles {
  SetMember grown;           // the list that grows: rs or ds
  SetMember gate;            // must reach gate_threshold: ts or rs
  int gate_threshold;        // minsupp_t or minsupp_r
  SetMember third;           // compared besides U and T: ds or rs
  int third_threshold;       // threshold of the common third list
  bool third_length_counts;  // whether a collected neighbour needs a third list as long
};

// The compared sets, numbered 0 = U, 1 = T, 2 = third.
constexpr std::uint32_t kCompared = 3;

class ExtensionPass {
 public:
  ExtensionPass(std::vector<TriConcept>& store, const Thresholds& thresholds,
                const ExtensionRoles& roles)
      : store_(store), thresholds_(thresholds), roles_(roles), n_(store.size()) {
    alive_.assign(n_, 1);
    gate_ok_.resize(n_);
    for (std::uint32_t id = 0; id < n_; ++id) {
      const TriConcept& c = store_[id];
      gate_ok_[id] = reaches((c.*roles_.gate).size(), roles_.gate_threshold);
      for (std::uint32_t s = 0; s < kCompared; ++s) {
        sorted_.add(c.*compared(s));
        if (!gate_ok_[id]) continue;
        for (const int x : sorted(id, s)) postings_[s].add(x, id);
      }
    }
    in_best_.grow(n_);
    in_both_.grow(n_);
    // With every threshold at least 1, a new concept needs common elements in
    // all three compared sets.
    sharing_required_ = thresholds_.t >= 1 && thresholds_.u >= 1 && roles_.third_threshold >= 1;
  }

  void run() {
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
      do ++cur;
      while (!alive_[cur]);
      progress_step(i);
      if (gate_ok_[cur]) scan(static_cast<std::uint32_t>(cur), collected);
    }
    for (const std::uint32_t k : collected) alive_[k] = 0;

    // Survivors in their order, then the accepted new concepts.
    erase_dead(store_, alive_);
    for (TriConcept& added : fresh_) store_.push_back(std::move(added));
  }

 private:
  SetMember compared(std::uint32_t s) const {
    return s == 0 ? &TriConcept::us : s == 1 ? &TriConcept::ts : roles_.third;
  }
  std::span<const int> sorted(std::uint32_t id, std::uint32_t s) const {
    return sorted_.get(kCompared * id + s);
  }

  // Number of posting entries above `cur` for the elements of its set s.
  std::size_t later_postings(std::uint32_t cur, std::uint32_t s) const {
    std::size_t cost = 0;
    for (const int x : sorted(cur, s)) {
      const auto p = postings_[s].of(x);
      cost += static_cast<std::size_t>(p.end() - std::upper_bound(p.begin(), p.end(), cur));
    }
    return cost;
  }

  // Calls visit(id) for each id above `cur` in the postings of cur's set s.
  template <typename Visit>
  void walk_later_postings(std::uint32_t cur, std::uint32_t s, Visit visit) const {
    for (const int x : sorted(cur, s)) {
      const auto p = postings_[s].of(x);
      for (auto it = std::upper_bound(p.begin(), p.end(), cur); it != p.end(); ++it) visit(*it);
    }
  }

  // Live ids above `cur` that share an element with it in the compared set
  // whose postings are shortest (and, when that is cheap, also in the second
  // shortest), in ascending order.
  void gather_neighbours(std::uint32_t cur) {
    neighbours_.clear();
    int best = -1;
    int second = -1;
    std::size_t cost[kCompared] = {};
    for (std::uint32_t s = 0; s < kCompared; ++s) {
      if (sorted(cur, s).empty()) continue;
      cost[s] = later_postings(cur, s);
      const int set = static_cast<int>(s);
      if (best < 0 || cost[s] < cost[best]) {
        second = best;
        best = set;
      } else if (second < 0 || cost[s] < cost[second]) {
        second = set;
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
    in_best_.clear();
    walk_later_postings(cur, static_cast<std::uint32_t>(best), [&](std::uint32_t k) {
      if (alive_[k] && in_best_.insert(k) && !intersect) neighbours_.push_back(k);
    });
    if (intersect) {
      in_both_.clear();
      walk_later_postings(cur, static_cast<std::uint32_t>(second), [&](std::uint32_t k) {
        if (in_best_.contains(k) && in_both_.insert(k)) neighbours_.push_back(k);
      });
    }
    std::sort(neighbours_.begin(), neighbours_.end());
  }

  bool contained_in(std::uint32_t cur, std::uint32_t k) const {
    for (std::uint32_t s = 0; s < kCompared; ++s) {
      if (!sorted_includes(sorted(cur, s), sorted(k, s))) return false;
    }
    return true;
  }

  // Elements of the current concept's set, in its order, found in k's.
  static void common(const std::vector<int>& mine, std::span<const int> theirs,
                     std::vector<int>& out) {
    out.clear();
    for (const int x : mine) {
      if (sorted_contains(theirs, x)) out.push_back(x);
    }
  }

  // Whether a neighbour whose lists the current one absorbed is redundant.
  bool as_long(const TriConcept& current, const TriConcept& neighbour) const {
    return current.ts.size() == neighbour.ts.size() && current.us.size() == neighbour.us.size() &&
           (!roles_.third_length_counts ||
            (current.*roles_.third).size() == (neighbour.*roles_.third).size());
  }

  void scan(std::uint32_t cur, std::vector<std::uint32_t>& collected) {
    TriConcept& current = store_[cur];
    std::vector<int>& grown = current.*roles_.grown;
    grown_marks_.clear();
    for (const int x : grown) grown_marks_.insert(x);

    gather_neighbours(cur);
    for (const std::uint32_t k : neighbours_) {
      const TriConcept& neighbour = store_[k];
      const std::vector<int>& offered = neighbour.*roles_.grown;
      if (contained_in(cur, k) && !offered.empty() && !grown_marks_.has(offered.front())) {
        for (const int x : offered) {
          if (!grown_marks_.has(x)) {
            grown_marks_.insert(x);
            grown.push_back(x);
          }
        }
        if (as_long(current, neighbour)) collected.push_back(k);
        continue;
      }
      try_new_concept(cur, k);
    }
  }

  void try_new_concept(std::uint32_t cur, std::uint32_t k) {
    const TriConcept& current = store_[cur];
    common(current.ts, sorted(k, 1), common_ts_);
    if (!reaches(common_ts_.size(), thresholds_.t)) return;
    common(current.us, sorted(k, 0), common_us_);
    if (!reaches(common_us_.size(), thresholds_.u)) return;
    common(current.*roles_.third, sorted(k, 2), common_third_);
    if (!reaches(common_third_.size(), roles_.third_threshold)) return;

    // The union of both grown lists: the current one as it stands, then what
    // the neighbour adds.
    union_.assign((current.*roles_.grown).begin(), (current.*roles_.grown).end());
    union_marks_.clear();
    for (const int x : store_[k].*roles_.grown) {
      if (!grown_marks_.has(x) && !union_marks_.has(x)) {
        union_marks_.insert(x);
        union_.push_back(x);
      }
    }

    const bool grows_r = roles_.grown == &TriConcept::rs;
    const std::vector<int>& rs = grows_r ? union_ : common_third_;
    const std::vector<int>& ds = grows_r ? common_third_ : union_;
    if (!fresh_index_.accept(common_us_, common_ts_, rs, ds)) return;

    TriConcept candidate;
    candidate.us = common_us_;
    candidate.ts = common_ts_;
    candidate.rs = rs;
    candidate.ds = ds;
    fresh_.push_back(std::move(candidate));
  }

  std::vector<TriConcept>& store_;
  const Thresholds thresholds_;
  const ExtensionRoles roles_;
  const std::size_t n_;
  std::vector<char> alive_;
  std::vector<char> gate_ok_;
  SortedSets sorted_;             // kCompared slots per id: U, T, third
  Postings postings_[kCompared];  // gated concepts only
  bool sharing_required_ = true;
  EpochSet in_best_;  // neighbours found in the best postings
  EpochSet in_both_;  // ... and in the second best
  std::vector<std::uint32_t> neighbours_;
  ElementMarks grown_marks_;  // elements of the current concept's grown list
  ElementMarks union_marks_;
  std::vector<int> common_ts_, common_us_, common_third_, union_;
  FreshIndex fresh_index_{FreshIndex::kU | FreshIndex::kT | FreshIndex::kR | FreshIndex::kD};
  std::vector<TriConcept> fresh_;
};

void extend(const char* name, const Thresholds& thresholds, const ExtensionRoles& roles) {
  progress_begin(name, ens_tc.size());
  ExtensionPass(ens_tc, thresholds, roles).run();
  progress_end();
}

}  // namespace

void find_rs() {
  const Thresholds thresholds = thresholds_from_globals();
  indices_rs.clear();
  extend("resource pass", thresholds,
         {&TriConcept::rs, &TriConcept::ts, thresholds.t, &TriConcept::ds, thresholds.d, false});
}

void find_ds() {
  const Thresholds thresholds = thresholds_from_globals();
  indices_ds.clear();
  extend("D pass", thresholds,
         {&TriConcept::ds, &TriConcept::rs, thresholds.r, &TriConcept::rs, thresholds.r, true});
}
