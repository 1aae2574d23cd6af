#include "output/report.h"

#include <charconv>
#include <cstddef>
#include <string>
#include <vector>

#include "output/final_filter.h"
#include "store/globals.h"

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
  std::string line;
  std::string users;
  std::size_t i = 0;
  while (i < ens_tc.size()) {
    if (!reaches_thresholds(ens_tc[i])) {
      ++i;
      continue;
    }
    bool subsumed = false;
    int erased_before = 0;
    test_inclusionFINAL(static_cast<int>(i), ens_tc[i], ens_tc, subsumed, &erased_before);
    // Equal copies erased before position i moved the examined concept down.
    i -= static_cast<std::size_t>(erased_before);
    if (!subsumed) {
      const TriConcept& c = ens_tc[i];
      ens_tc2.push_back(c);

      line.assign("\nU = {");
      append_elements(line, c.us);
      line += "},  T = {";
      append_elements(line, c.ts);
      line += "},  R = {";
      append_elements(line, c.rs);
      line += "},  D = {";
      append_elements(line, c.ds);
      line += '}';
      std::fwrite(line.data(), 1, line.size(), concepts);

      users.clear();
      for (const int u : c.us) {
        append_int(users, u);
        users += ' ';
        append_int(users, c.ds.front());
        users += '\n';
      }
      std::fwrite(users.data(), 1, users.size(), users_only);
    }
    ++i;
  }
}
