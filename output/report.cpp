#include "output/report.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <span>
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "output/containment_index.h"
#include "store/globals.h"
#include "store/progress.h"
#include "store/store_helpers.h"

namespace {

void append_int(std::string& out, int value) {
  char digits[16];
  const auto res = std::to_chars(digits, digits + sizeof digits, value);
  out.append(digits, res.ptr);
}

// Each element followed by ", ", the last one included.
void append_elements(std::string& out, const std::vector<int>& set) {
  for (const int x : set) {
    append_int(out, x);
    out += ", ";
  }
}

bool reaches_thresholds(const TriConcept& c) {
  return c.us.size() >= static_cast<std::size_t>(minsupp_u) &&
         c.ts.size() >= static_cast<std::size_t>(minsupp_t) &&
         c.rs.size() >= static_cast<std::size_t>(minsupp_r) &&
         c.ds.size() >= static_cast<std::size_t>(minsupp_d);
}

}  // namespace

void write_report(std::FILE* concepts, std::FILE* users_only) {
  // The store is walked by the ids the index gives its records (their
  // positions now). An erased equal copy is only marked dead, so positions
  // never shift during the walk: walking the live ids in ascending order is
  // walking the shrinking store position by position, and a copy erased before
  // the examined record simply does not come up again.
  ContainmentIndex index(ens_tc);
  std::vector<std::uint32_t> copies;
  std::string line;
  std::string users;
  progress_begin("report", ens_tc.size());
  for (std::size_t id = 0; id < ens_tc.size(); ++id) {
    progress_step(id);
    if (!index.alive(id) || !reaches_thresholds(ens_tc[id])) continue;
    const TriConcept& examined = ens_tc[id];

    // Final filter: a live record that contains the examined one in U, T, R
    // and D strictly contains it if a set size differs, and is an equal copy
    // (to be erased) otherwise.
    bool subsumed = false;
    copies.clear();
    const auto compare_with = [&](std::size_t other) {
      if (other == id || !index.alive(other)) return;
      for (int dim = 0; dim < 4; ++dim) {
        if (!index.included(id, other, dim)) return;
      }
      const TriConcept& o = ens_tc[other];
      if (examined.us.size() != o.us.size() || examined.ts.size() != o.ts.size() ||
          examined.rs.size() != o.rs.size() || examined.ds.size() != o.ds.size()) {
        subsumed = true;
      } else {
        copies.push_back(static_cast<std::uint32_t>(other));
      }
    };
    const ShortestLists lists = index.candidates(id);
    if (lists.offered > 0) {
      for (const std::uint32_t other : lists.rarest) {
        if (lists.in_second(other)) compare_with(other);
      }
    } else {
      for (std::size_t other = 0; other < ens_tc.size(); ++other) compare_with(other);
    }
    for (const std::uint32_t c : copies) index.kill(c);
    if (subsumed) continue;

    ens_tc2.push_back(examined);
    line.assign("\nU = {");
    append_elements(line, examined.us);
    line += "},  T = {";
    append_elements(line, examined.ts);
    line += "},  R = {";
    append_elements(line, examined.rs);
    line += "},  D = {";
    append_elements(line, examined.ds);
    line += '}';
    std::fwrite(line.data(), 1, line.size(), concepts);

    users.clear();
    for (const int u : examined.us) {
      append_int(users, u);
      users += ' ';
      append_int(users, examined.ds.front());
      users += '\n';
    }
    std::fwrite(users.data(), 1, users.size(), users_only);
  }

  progress_end();

  // The erased copies leave the store.
  erase_dead(ens_tc, index.liveness());
}
