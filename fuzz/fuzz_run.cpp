// Fuzz target for a whole run on an in-memory base.
//
// Input: four bytes of thresholds u, t, r, d (each 1 + byte % 3, so the
// characters '0' '1' '2' stand for 1 2 3), then the base text. The phases are
// called in the driver's order: load (stopping on an error, as the driver
// does), the three mining passes, the report into two temporary files and the
// two evaluations (their standard output goes to /dev/null). Afterwards the
// target aborts unless:
//   - a base that loaded had each of its non-blank lines counted in ijk;
//   - every reported concept reaches the four thresholds;
//   - no two reported concepts are equal;
//   - quadri_concepts.txt and users_only.txt hold exactly the reported
//     concepts of ens_tc2, in order, in their formats.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "evaluation/resource_recommendation.h"
#include "evaluation/user_proposition.h"
#include "loader/loader.h"
#include "mining/extension_pass.h"
#include "mining/tag_pass.h"
#include "output/report.h"
#include "store/globals.h"

namespace {

// Inputs above this are skipped so that every run stays in milliseconds.
constexpr std::size_t kMaxInput = 8192;

[[noreturn]] void violated(const char* what) {
  std::fprintf(stderr, "fuzz_run: invariant violated: %s\n", what);
  std::abort();
}

// Owns a stdio stream for the length of one input.
class Stream {
 public:
  explicit Stream(std::FILE* f) : f_(f) {
    if (f_ == nullptr) violated("cannot open an in-memory or temporary stream");
  }
  ~Stream() { std::fclose(f_); }
  Stream(const Stream&) = delete;
  Stream& operator=(const Stream&) = delete;
  std::FILE* get() const { return f_; }

 private:
  std::FILE* f_;
};

std::string read_back(std::FILE* f) {
  std::rewind(f);
  std::string content;
  char buffer[4096];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) content.append(buffer, n);
  if (std::ferror(f)) violated("cannot read back a result stream");
  return content;
}

bool is_blank_char(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

int count_non_blank_lines(const std::vector<char>& base) {
  int count = 0;
  bool blank = true;
  for (std::size_t i = 0; i < base.size(); ++i) {
    if (!is_blank_char(base[i])) blank = false;
    if (base[i] == '\n' || i + 1 == base.size()) {
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

// Empties the stores and gives their memory back, so that the leak detector
// sees as many frees as allocations for each input.
void release_stores() {
  reset_run_state();
  ens_tc.shrink_to_fit();
  ens_tc2.shrink_to_fit();
  indices_ts.shrink_to_fit();
  indices_rs.shrink_to_fit();
  indices_ds.shrink_to_fit();
}

int threshold(std::uint8_t byte) { return 1 + byte % 3; }

void run(const std::uint8_t* data, std::size_t size) {
  std::vector<char> base(data + 4, data + size);
  // fmemopen wants a buffer of at least one byte; an empty base reads nothing.
  char empty = '\0';
  Stream input(base.empty() ? fmemopen(&empty, 1, "r") : fmemopen(base.data(), base.size(), "r"));
  if (base.empty()) std::fgetc(input.get());  // now at the end: an empty base

  reset_run_state();
  minsupp_u = threshold(data[0]);
  minsupp_t = threshold(data[1]);
  minsupp_r = threshold(data[2]);
  minsupp_d = threshold(data[3]);
  fp = input.get();

  const LoadResult loaded = load_la_base();
  if (loaded.status != LoadStatus::Ok) return;
  if (ijk != count_non_blank_lines(base)) violated("ijk is not the number of non-blank lines");

  find_ts_v3();
  find_rs();
  find_ds();

  Stream concepts(std::tmpfile());
  Stream users_only(std::tmpfile());
  write_report(concepts.get(), users_only.get());
  if (std::fflush(concepts.get()) != 0 || std::fflush(users_only.get()) != 0) {
    violated("cannot write a result stream");
  }
  recomm_generale(users_only.get());
  recomm_generale_users(users_only.get());

  check_reported();
  std::string want_concepts, want_users;
  expected_files(want_concepts, want_users);
  if (read_back(concepts.get()) != want_concepts) {
    violated("quadri_concepts.txt does not hold the reported concepts");
  }
  if (read_back(users_only.get()) != want_users) {
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
  if (size < 4 || size > kMaxInput) return 0;
  run(data, size);
  fp = nullptr;  // closed with its Stream
  release_stores();
  return 0;
}
