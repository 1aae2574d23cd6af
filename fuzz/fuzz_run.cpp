// Fuzz target for a whole run on an in-memory base (input format in
// support.h). The phases are called in the driver's order: the loader
// (stopping when it rejects the base, as the driver does), the three mining
// passes, the report into two temporary files and the two evaluations (their
// standard output goes to /dev/null). Afterwards the target aborts unless:
//   - the loader counted each non-blank line of the base in ijk;
//   - every reported concept reaches the four thresholds;
//   - no two reported concepts are equal;
//   - quadri_concepts.txt and users_only.txt hold exactly the reported
//     concepts of ens_tc2, in order, in their formats.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "evaluation/resource_recommendation.h"
#include "evaluation/user_proposition.h"
#include "fuzz/support.h"
#include "mining/extension_pass.h"
#include "mining/tag_pass.h"
#include "output/report.h"
#include "store/globals.h"
#include "text/scanner.h"

namespace {

using fuzz::violated;

int count_non_blank_lines(const std::uint8_t* text, std::size_t size) {
  int count = 0;
  bool blank = true;
  for (std::size_t i = 0; i < size; ++i) {
    if (!is_space(static_cast<char>(text[i]))) blank = false;
    if (text[i] == '\n' || i + 1 == size) {
      if (!blank) ++count;
      blank = true;
    }
  }
  return count;
}

void append_set(std::string& out, const std::vector<int>& set) {
  char number[16];
  for (const int x : set) {
    std::snprintf(number, sizeof number, "%d, ", x);
    out += number;
  }
}

// The two result files as the reported concepts must appear in them.
void expected_files(std::string& concepts, std::string& users) {
  char line[32];
  for (const TriConcept& c : ens_tc2) {
    concepts += "\nU = {";
    append_set(concepts, c.us);
    concepts += "},  T = {";
    append_set(concepts, c.ts);
    concepts += "},  R = {";
    append_set(concepts, c.rs);
    concepts += "},  D = {";
    append_set(concepts, c.ds);
    concepts += "}";
    for (const int u : c.us) {
      std::snprintf(line, sizeof line, "%d %d\n", u, c.ds.front());
      users += line;
    }
  }
}

void check_reported() {
  for (const TriConcept& c : ens_tc2) {
    if (c.us.size() < static_cast<std::size_t>(minsupp_u) ||
        c.ts.size() < static_cast<std::size_t>(minsupp_t) ||
        c.rs.size() < static_cast<std::size_t>(minsupp_r) ||
        c.ds.size() < static_cast<std::size_t>(minsupp_d)) {
      violated("a reported concept is below a threshold");
    }
  }
  for (std::size_t i = 0; i < ens_tc2.size(); ++i) {
    for (std::size_t j = i + 1; j < ens_tc2.size(); ++j) {
      if (ens_tc2[i] == ens_tc2[j]) violated("two reported concepts are equal");
    }
  }
}

void run(const std::uint8_t* data, std::size_t size) {
  if (!fuzz::load_input(data, size)) return;
  if (ijk != count_non_blank_lines(data + 4, size - 4)) {
    violated("ijk is not the number of non-blank lines");
  }

  find_ts_v3();
  find_rs();
  find_ds();

  fuzz::Stream concepts(std::tmpfile());
  fuzz::Stream users_only(std::tmpfile());
  write_report(concepts.get(), users_only.get());
  if (std::fflush(concepts.get()) != 0 || std::fflush(users_only.get()) != 0) {
    violated("cannot write a result stream");
  }
  recomm_generale(users_only.get());
  recomm_generale_users(users_only.get());

  check_reported();
  std::string want_concepts, want_users;
  expected_files(want_concepts, want_users);
  if (fuzz::read_back(concepts.get()) != want_concepts) {
    violated("quadri_concepts.txt does not hold the reported concepts");
  }
  if (fuzz::read_back(users_only.get()) != want_users) {
    violated("users_only.txt does not hold one line per user of each reported concept");
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // The evaluations print their results on standard output.
  if (std::freopen("/dev/null", "w", stdout) == nullptr) violated("cannot silence stdout");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  run(data, size);
  fuzz::release_stores();
  return 0;
}
