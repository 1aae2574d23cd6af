#include "output/report.h"

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "driver/progress.h"
#include "index/compaction.h"
#include "index/shortest_lists.h"
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
// simply does not come up again.
class FinalFilter {
 public:
  explicit FinalFilter(const std::vector<TriConcept>& store) : store_(store), index_(store) {}

  bool alive(std::size_t id) const { return index_.alive(id); }
  const std::vector<char>& liveness() const { return index_.liveness(); }

  // Whether a live record strictly contains record `id` (contains it in U, T,
  // R and D with a set of another size). Its equal copies (contained with four
  // equal sizes) are erased.
  bool subsumed(std::size_t id) {
    bool found = false;
    copies_.clear();
    const ShortestLists lists = index_.candidates(id);
    if (lists.offered > 0) {
      for (const std::uint32_t other : lists.rarest) {
        if (lists.in_second(other)) compare(id, other, found);
      }
    } else {
      for (std::size_t other = 0; other < store_.size(); ++other) compare(id, other, found);
    }
    for (const std::uint32_t c : copies_) index_.kill(c);
    return found;
  }

 private:
  void compare(std::size_t id, std::size_t other, bool& found) {
    if (other == id || !index_.alive(other)) return;
    for (int set = 0; set < ContainmentIndex::kSets; ++set) {
      if (!index_.included(id, other, set)) return;
    }
    const TriConcept& examined = store_[id];
    const TriConcept& o = store_[other];
    if (examined.us.size() != o.us.size() || examined.ts.size() != o.ts.size() ||
        examined.rs.size() != o.rs.size() || examined.ds.size() != o.ds.size()) {
      found = true;
    } else {
      copies_.push_back(static_cast<std::uint32_t>(other));
    }
  }

  const std::vector<TriConcept>& store_;
  ContainmentIndex index_;
  std::vector<std::uint32_t> copies_;
};

// The report loop over `store`, appending the reported concepts to
// `reported`.
void report_concepts(std::vector<TriConcept>& store, std::vector<TriConcept>& reported,
                     const Thresholds& thresholds, std::FILE* concepts, std::FILE* users_only) {
  FinalFilter filter(store);
  std::string line;
  std::string users;
  progress_begin("report", store.size());
  for (std::size_t id = 0; id < store.size(); ++id) {
    progress_step(id);
    if (!filter.alive(id) || !thresholds.all_reached(store[id])) continue;
    if (filter.subsumed(id)) continue;
    const TriConcept& kept = store[id];
    reported.push_back(kept);
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
