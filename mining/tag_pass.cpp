#include "mining/tag_pass.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "index/compaction.h"
#include "index/epoch_set.h"
#include "index/flat_int_map.h"
#include "index/sorted_sets.h"
#include "mining/fresh_index.h"
#include "store/globals.h"
#include "store/thresholds.h"
#include "util/progress.h"

namespace quadmine {

// The pass walks the store by stable ids (positions when the pass starts),
// with the live concepts chained in store order: erasing a concept unlinks it,
// so neighbours by position are neighbours in the chain, and the i-th current
// concept is the one after the previous current concept. Users never change
// in this pass, so their sorted copies are made once.

namespace {

constexpr std::uint32_t kNone = static_cast<std::uint32_t>(-1);

// A concept is current only when at least this many concepts follow it: the
// wide window for bases of kLargeBaseLines lines or more, the narrow one for
// smaller bases.
constexpr int kLargeBaseLines = 200;
constexpr std::size_t kWideWindow = 50;
constexpr std::size_t kNarrowWindow = 3;

// Same resource and D value, judged by the first element of each list. A
// concept without a resource or a D value matches nothing.
bool same_r_and_d(const TriConcept& a, const TriConcept& b) {
  return !a.rs.empty() && !b.rs.empty() && !a.ds.empty() && !b.ds.empty() &&
         a.rs.front() == b.rs.front() && a.ds.front() == b.ds.front();
}

// Appends to `into` every element of `from` that `marks` does not hold yet,
// recording it in `marks`.
void absorb_marked(const std::vector<int>& from, std::vector<int>& into, ElementMarks& marks) {
  for (const int x : from) {
    if (!marks.has(x)) {
      marks.insert(x);
      into.push_back(x);
    }
  }
}

class TagPass {
 public:
  TagPass(std::vector<TriConcept>& store, std::size_t window, int min_users)
      : store_(store), window_(window), minsupp_u_(min_users), n_(store.size()) {
    next_.resize(n_);
    prev_.resize(n_);
    for (std::uint32_t id = 0; id < n_; ++id) {
      users_.add(store_[id].us);
      next_[id] = id + 1 < n_ ? id + 1 : kNone;
      prev_[id] = id > 0 ? id - 1 : kNone;
    }
    alive_.assign(n_, 1);
  }

  void run() {
    std::size_t alive_count = n_;
    std::uint32_t cur = kNone;
    for (std::size_t i = 0;; ++i) {
      // The bound looks at the store as the previous iteration left it.
      if (i + window_ >= alive_count) break;
      alive_count -= erase_collected();
      if (i >= alive_count) break;
      cur = cur == kNone ? first_alive() : next_[cur];
      progress_step(i);
      extend(cur);
    }
    erase_collected();
    merge();

    erase_dead(store_, alive_);
    append_all(store_, fresh_);
  }

 private:
  std::uint32_t first_alive() const {
    std::uint32_t id = 0;
    while (!alive_[id]) ++id;
    return id;
  }

  std::size_t erase_collected() {
    for (const std::uint32_t k : collected_) {
      alive_[k] = 0;
      if (prev_[k] != kNone) next_[prev_[k]] = next_[k];
      if (next_[k] != kNone) prev_[next_[k]] = prev_[k];
    }
    const std::size_t erased = collected_.size();
    collected_.clear();
    return erased;
  }

  bool users_within(std::uint32_t a, std::uint32_t b) const {
    return sorted_includes(users_.get(a), users_.get(b));
  }

  void extend(std::uint32_t cur) {
    TriConcept& current = store_[cur];
    tag_marks_.clear();
    for (const int t : current.ts) tag_marks_.insert(t);

    // Backward: take the tags of every preceding neighbour of the run whose
    // users contain the current ones.
    for (std::uint32_t p = prev_[cur]; p != kNone && same_r_and_d(current, store_[p]);
         p = prev_[p]) {
      if (users_within(cur, p)) absorb_marked(store_[p].ts, current.ts, tag_marks_);
    }

    // Forward over the run that follows.
    for (std::uint32_t k = next_[cur]; k != kNone && same_r_and_d(current, store_[k]);
         k = next_[k]) {
      const TriConcept& neighbour = store_[k];
      if (users_within(cur, k)) {
        absorb_marked(neighbour.ts, current.ts, tag_marks_);
        if (current.us.size() == neighbour.us.size()) collected_.push_back(k);
        continue;
      }
      if (users_within(k, cur)) continue;
      try_new_concept(cur, k);
    }
  }

  // Common users are found on the sorted copies; the list in the current
  // concept's order is built only for an accepted new concept.
  void try_new_concept(std::uint32_t cur, std::uint32_t k) {
    const TriConcept& current = store_[cur];
    const std::span<const int> mine = users_.get(cur), theirs = users_.get(k);
    sorted_intersection(mine, theirs, common_);
    const std::size_t common_size =
        mine.size() == current.us.size() ? common_.size() : occurrences_in(current.us, theirs);
    if (!reaches(common_size, minsupp_u_)) return;

    const int r[1] = {current.rs.front()};
    const int d[1] = {current.ds.front()};
    if (!fresh_index_.accept(common_, {}, r, d)) return;

    TriConcept candidate;
    candidate.ts = current.ts;
    candidate_marks_.clear();
    for (const int x : store_[k].ts) {
      if (!tag_marks_.has(x) && !candidate_marks_.has(x)) {
        candidate_marks_.insert(x);
        candidate.ts.push_back(x);
      }
    }
    candidate.rs.push_back(r[0]);
    candidate.ds.push_back(d[0]);
    for (const int u : current.us) {
      if (sorted_contains(theirs, u)) candidate.us.push_back(u);
    }
    fresh_.push_back(std::move(candidate));
  }

  static std::uint64_t group_key(int r, int d) {
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(r)) << 32) |
           static_cast<std::uint32_t>(d);
  }

  // Live stored concepts with one resource and one D value, grouped by them.
  void group_stored() {
    for (std::uint32_t id = 0; id < n_; ++id) {
      const TriConcept& c = store_[id];
      if (alive_[id] && c.rs.size() == 1 && c.ds.size() == 1) {
        const auto fresh = static_cast<std::uint32_t>(groups_.size());
        const std::uint32_t group = group_of_.emplace(group_key(c.rs[0], c.ds[0]), fresh);
        if (group == fresh) groups_.emplace_back();
        groups_[group].push_back(id);
      }
    }
  }

  // The stored concepts that may have the R and D lists of `added`.
  const std::vector<std::uint32_t>* stored_like(const TriConcept& added) {
    if (added.rs.size() == 1 && added.ds.size() == 1) {
      const std::uint32_t group = group_of_.find(group_key(added.rs[0], added.ds[0]));
      return group == FlatMap<std::uint64_t>::kAbsent ? nullptr : &groups_[group];
    }
    // No grouped concept can have these lists: look at them all.
    everyone_.clear();
    for (std::uint32_t id = 0; id < n_; ++id) everyone_.push_back(id);
    return &everyone_;
  }

  // Each new concept takes the tags of every live stored concept with the same
  // R and D lists whose users contain its own; a stored concept with as many
  // users is erased before the next new concept is merged.
  void merge() {
    group_stored();
    std::vector<int> sorted_users;
    for (TriConcept& added : fresh_) {
      erase_collected();
      sort_distinct(added.us, sorted_users);
      tag_marks_.clear();
      for (const int t : added.ts) tag_marks_.insert(t);
      const std::vector<std::uint32_t>* stored = stored_like(added);
      if (stored == nullptr) continue;
      for (const std::uint32_t c : *stored) {
        const TriConcept& e = store_[c];
        if (!alive_[c] || e.rs != added.rs || e.ds != added.ds) continue;
        if (!sorted_includes(sorted_users, users_.get(c))) continue;
        absorb_marked(e.ts, added.ts, tag_marks_);
        if (added.us.size() == e.us.size()) collected_.push_back(c);
      }
    }
    erase_collected();
  }

  std::vector<TriConcept>& store_;
  const std::size_t window_;
  const int minsupp_u_;
  const std::size_t n_;
  SortedSets users_;  // one slot per id
  std::vector<std::uint32_t> next_, prev_;
  std::vector<char> alive_;
  std::vector<std::uint32_t> collected_;
  ElementMarks tag_marks_, candidate_marks_;
  std::vector<int> common_;  // sorted common users
  FreshIndex fresh_index_{FreshIndex::kU | FreshIndex::kR | FreshIndex::kD};
  std::vector<TriConcept> fresh_;
  FlatMap<std::uint64_t> group_of_;  // group_key(r, d) -> position of its group in groups_
  std::vector<std::vector<std::uint32_t>> groups_;
  std::vector<std::uint32_t> everyone_;
};

}  // namespace

std::size_t tag_pass_window(int lines_read) {
  return lines_read >= kLargeBaseLines ? kWideWindow : kNarrowWindow;
}

void extend_tags(std::vector<TriConcept>& store, int lines_read, int min_users) {
  progress_begin("tag pass", store.size());
  TagPass(store, tag_pass_window(lines_read), min_users).run();
  progress_end();
}

}  // namespace quadmine

void find_ts_v3() {
  indices_ts.clear();
  quadmine::extend_tags(ens_tc, ijk, minsupp_u);
}
