#include "output/report.h"

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "driver/progress.h"
#include "index/compaction.h"
#include "index/id_lists.h"
#include "output/containment_index.h"
#include "store/globals.h"
#include "store/thresholds.h"

namespace {

void append_int(std::string& out, int value) {
  char digits[16];
  const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  out.append(digits, end);
}

// Each element followed by ", ", the last one included.
void append_elements(std::string& out, const std::vector<int>& set) {
  for (const int x : set) {
    append_int(out, x);
    out += ", ";
  }
}

// "\nU = {...},  T = {...},  R = {...},  D = {...}"
void set_report_line(std::string& line, const TriConcept& c) {
  line.assign("\nU = {");
  append_elements(line, c.us);
  line += "},  T = {";
  append_elements(line, c.ts);
  line += "},  R = {";
  append_elements(line, c.rs);
  line += "},  D = {";
  append_elements(line, c.ds);
  line += '}';
}

// "user d\n" for each user, with the concept's first D value.
void set_user_lines(std::string& lines, const TriConcept& c) {
  lines.clear();
  for (const int u : c.us) {
    append_int(lines, u);
    lines += ' ';
    append_int(lines, c.ds.front());
    lines += '\n';
  }
}

// The final filter over an index of the store. The store is walked by the
// ids the index gives its records (their positions when it was built). An
// erased equal copy is only marked dead, so positions never shift during the
// walk: walking the live ids in ascending order is walking the shrinking
// store position by position, and a copy erased before the examined record
// simply does not come up again. A reported record is moved out of the store
// to the end of `reported`; the index still counts it as a container, and its
// sets are read there.
class FinalFilter {
 public:
  FinalFilter(std::vector<TriConcept>& store, std::vector<TriConcept>& reported)
      : store_(store),
        reported_(reported),
        first_reported_(reported.size()),
        index_(store),
        moved_(store.size(), 0) {}

  bool alive(std::size_t id) const { return index_.alive(id); }
  const std::vector<char>& liveness() const { return index_.liveness(); }

  // Whether a live record strictly contains record `id` (contains it in U, T,
  // R and D with a set of another size). Its equal copies (contained with four
  // equal sizes) are erased.
  //
  // The containers of `id` are the ids common to the holder lists of all its
  // elements. Without a repeated element in record `id`, an equal copy holds
  // exactly its distinct sets and repeats nothing either, so the copies are
  // found among the records with the same distinct sets, and the search for
  // containers stops at the first strict one. Otherwise every container is
  // examined.
  bool subsumed(std::size_t id) {
    const TriConcept& examined = store_[id];
    const bool plain = index_.without_repeats(id);
    bool found = false;
    copies_.clear();
    const auto look_at = [&](std::uint32_t other) {  // false: stop looking
      if (other == id || !index_.alive(other)) return true;
      if (!same_sizes(examined, record(other))) {
        found = true;
        return !plain;
      }
      if (!plain) copies_.push_back(other);
      return true;
    };
    index_.holder_lists(examined, lists_);
    if (lists_.empty()) {  // no element at all: every record contains it
      for (std::uint32_t other = 0; other < store_.size() && look_at(other); ++other) {
      }
    } else {
      ContainmentIndex::Containers containers(index_, id, lists_, cursors_);
      for (std::uint32_t other = 0; containers.next(other) && look_at(other);) {
      }
    }
    if (plain) {
      const auto self = static_cast<std::uint32_t>(id);
      for (std::uint32_t other = index_.next_same_sets(id); other != self;
           other = index_.next_same_sets(other)) {
        if (index_.alive(other) && same_sizes(examined, record(other))) copies_.push_back(other);
      }
    }
    for (const std::uint32_t c : copies_) index_.kill(c);
    return found;
  }

  // Moves record `id` to the end of the reported records and returns it
  // there; its place in the store is left with four empty sets.
  const TriConcept& report(std::size_t id) {
    moved_[id] = 1;
    moved_ids_.push_back(static_cast<std::uint32_t>(id));
    return reported_.emplace_back(std::move(store_[id]));
  }

 private:
  static bool same_sizes(const TriConcept& a, const TriConcept& b) {
    return a.us.size() == b.us.size() && a.ts.size() == b.ts.size() && a.rs.size() == b.rs.size() &&
           a.ds.size() == b.ds.size();
  }

  // Record `id`, in the store or, once reported, among the reported records.
  const TriConcept& record(std::uint32_t id) const {
    if (!moved_[id]) return store_[id];
    const auto at = std::lower_bound(moved_ids_.begin(), moved_ids_.end(), id) - moved_ids_.begin();
    return reported_[first_reported_ + static_cast<std::size_t>(at)];
  }

  std::vector<TriConcept>& store_;
  std::vector<TriConcept>& reported_;
  const std::size_t first_reported_;  // reported_ held this many records before
  ContainmentIndex index_;
  std::vector<char> moved_;               // per id: 1 once reported
  std::vector<std::uint32_t> moved_ids_;  // the reported ids, ascending
  std::vector<std::uint32_t> copies_;
  std::vector<IdList> lists_;              // scratch of subsumed()
  std::vector<std::uint32_t> candidates_;  // scratch of subsumed()
  std::vector<std::size_t> cursors_;       // scratch of subsumed()
};

// The report loop over `store`, moving the reported concepts to the end of
// `reported`.
void report_concepts(std::vector<TriConcept>& store, std::vector<TriConcept>& reported,
                     const Thresholds& thresholds, std::FILE* concepts, std::FILE* users_only) {
  // Room for every record that may be reported (address space only: a page
  // takes memory once written), so that `reported` is never copied to grow.
  reported.reserve(reported.size() + store.size());
  FinalFilter filter(store, reported);
  std::string line;
  std::string users;
  progress_begin("report", store.size());
  for (std::size_t id = 0; id < store.size(); ++id) {
    progress_step(id);
    if (!filter.alive(id) || !thresholds.all_reached(store[id])) continue;
    if (filter.subsumed(id)) continue;
    const TriConcept& kept = filter.report(id);
    set_report_line(line, kept);
    std::fwrite(line.data(), 1, line.size(), concepts);
    set_user_lines(users, kept);
    std::fwrite(users.data(), 1, users.size(), users_only);
  }
  progress_end();

  // The erased copies leave the store.
  erase_dead(store, filter.liveness());
}

}  // namespace

void write_report(std::FILE* concepts, std::FILE* users_only) {
  report_concepts(ens_tc, ens_tc2, thresholds_from_globals(), concepts, users_only);
}
