#include "output/report.h"

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "index/compaction.h"
#include "index/id_lists.h"
#include "output/containment_index.h"
#include "output/strict_containers.h"
#include "store/thresholds.h"
#include "util/progress.h"

namespace quadmine {

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
// simply does not come up again. Neither the store nor the index changes
// while the filter lives (the container search reads both in its thread);
// which records are alive, and which were reported, is the filter's own, and
// the reported records leave the store once it is finished.
class FinalFilter {
 public:
  // The flags of a record: alive (not erased), reported. A reported record
  // may still be erased later as an equal copy.
  static constexpr char kAlive = 1;
  static constexpr char kReported = 2;

  FinalFilter(const std::vector<TriConcept>& store, const Thresholds& thresholds,
              const ReportOptions& options)
      : store_(store),
        index_(store),
        flags_(store.size(), kAlive),
        strict_(index_, store, thresholds, options.block, options.share, options.ahead) {}

  bool alive(std::size_t id) const { return (flags_[id] & kAlive) != 0; }
  void report(std::size_t id) {
    flags_[id] |= kReported;
    ++reported_;
  }
  std::size_t reported() const { return reported_; }
  // Ends the search ahead, after which the store may change, and gives the
  // flags of each id.
  std::vector<char> finish() {
    strict_.stop();
    return std::move(flags_);
  }

  // Whether a live record strictly contains record `id` (contains it in U, T,
  // R and D with a set of another size). Its equal copies (contained with four
  // equal sizes) are erased. Ids are asked in ascending order.
  //
  // The containers of `id` are the ids common to the holder lists of all its
  // elements. Without a repeated element in record `id`, an equal copy holds
  // exactly its distinct sets and repeats nothing either, so the copies are
  // found among the records with the same distinct sets, and the answer is
  // whether some strict container is alive: when the first strict one is
  // known (StrictContainers), a live one or none at all settles it, and the
  // search stops at the first live strict one otherwise. With a repeated
  // element every container is examined.
  bool subsumed(std::size_t id) {
    const bool plain = index_.without_repeats(id);
    const std::uint32_t first_strict = strict_.of(id);
    copies_.clear();
    const bool none = first_strict == ContainmentIndex::kNoContainer;
    const bool known = none || (first_strict != StrictContainers::kUnknown && alive(first_strict));
    const bool found = known ? !none : search(id, plain);
    if (plain) {
      const auto self = static_cast<std::uint32_t>(id);
      for (std::uint32_t other = index_.next_same_sets(id); other != self;
           other = index_.next_same_sets(other)) {
        if (alive(other) && index_.same_sizes(id, other)) copies_.push_back(other);
      }
    }
    for (const std::uint32_t c : copies_) flags_[c] &= ~kAlive;
    return found;
  }

 private:
  // Walks the containers of `id` for a live strict one, stopping there when
  // `id` is plain; the equal copies met on the way are noted when it is not.
  bool search(std::size_t id, bool plain) {
    bool found = false;
    const auto look_at = [&](std::uint32_t other) {  // false: stop looking
      if (other == id || !alive(other)) return true;
      if (!index_.same_sizes(id, other)) {
        found = true;
        return !plain;
      }
      if (!plain) copies_.push_back(other);
      return true;
    };
    index_.holder_lists(store_[id], lists_);
    if (lists_.empty()) {  // no element at all: every record contains it
      for (std::uint32_t other = 0; other < store_.size() && look_at(other); ++other) {
      }
    } else {
      ContainmentIndex::Containers containers(index_, id, lists_, cursors_);
      for (std::uint32_t other = 0; containers.next(other) && look_at(other);) {
      }
    }
    return found;
  }

  const std::vector<TriConcept>& store_;
  const ContainmentIndex index_;
  std::vector<char> flags_;
  std::size_t reported_ = 0;
  StrictContainers strict_;
  std::vector<std::uint32_t> copies_;
  std::vector<std::uint32_t> lists_;  // scratch of search()
  std::vector<std::size_t> cursors_;  // scratch of search()
};

// Writes the report and user lines of `c`, using `line` and `users` as
// working space.
void write_concept(const TriConcept& c, std::string& line, std::string& users, std::FILE* concepts,
                   std::FILE* users_only) {
  set_report_line(line, c);
  std::fwrite(line.data(), 1, line.size(), concepts);
  set_user_lines(users, c);
  std::fwrite(users.data(), 1, users.size(), users_only);
}

// The walk of write_report(), which only reads the store: the filter's
// search ahead reads it too until the filter has finished.
void select_and_write(FinalFilter& filter, const std::vector<TriConcept>& store,
                      const Thresholds& thresholds, std::FILE* concepts, std::FILE* users_only) {
  std::string line;
  std::string users;
  progress_begin("report", store.size());
  for (std::size_t id = 0; id < store.size(); ++id) {
    progress_step(id);
    if (!filter.alive(id) || !thresholds.all_reached(store[id])) continue;
    if (filter.subsumed(id)) continue;
    write_concept(store[id], line, users, concepts, users_only);
    filter.report(id);
  }
  progress_end();
}

}  // namespace

void write_report(std::vector<TriConcept>& store, std::vector<TriConcept>& reported,
                  const Thresholds& thresholds, std::FILE* concepts, std::FILE* users_only,
                  const ReportOptions& options) {
  std::vector<char> flags;
  {
    FinalFilter filter(std::as_const(store), thresholds, options);
    select_and_write(filter, std::as_const(store), thresholds, concepts, users_only);
    reported.reserve(reported.size() + filter.reported());
    flags = filter.finish();
  }
  // The search has stopped: the reported records move to `reported`, in
  // their order (only their set headers move), and the erased copies leave
  // the store.
  for (std::size_t id = 0; id < store.size(); ++id) {
    if (flags[id] & FinalFilter::kReported) reported.push_back(std::move(store[id]));
    flags[id] &= FinalFilter::kAlive;
  }
  erase_dead(store, flags);
}

}  // namespace quadmine
