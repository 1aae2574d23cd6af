// Shared by the runs of the programs beside quadmine: their paths, a run with
// its outcome compared whole (status, standard output, standard error), what
// a run left in the current directory, result files, dictionaries and
// generated bases.
#pragma once

#include <ostream>
#include <random>
#include <string>

#include "formats/code_dictionary.h"
#include "support.h"

inline const std::string kPrepare = QUADMINE_PREPARE_BIN;
inline const std::string kShow = QUADMINE_SHOW_BIN;
inline const std::string kEvaluate = QUADMINE_EVALUATE_BIN;
inline const std::string kRecommend = QUADMINE_RECOMMEND_BIN;

#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kSanitized = true;  // runs are some ten times slower, and reserve terabytes
#else
inline constexpr bool kSanitized = false;
#endif

inline bool operator==(const Outcome& a, const Outcome& b) {
  return a.status == b.status && a.out == b.out && a.err == b.err;
}
inline void PrintTo(const Outcome& o, std::ostream* os) {
  *os << "{status " << o.status << ", out " << testing::PrintToString(o.out) << ", err "
      << testing::PrintToString(o.err) << "}";
}

// Runs `program` with the shell words `args` in the current directory.
inline Outcome run(const std::string& program, const std::string& args) {
  return run_shell("'" + program + "' " + args);
}

// The names in the current directory, one a line.
inline std::string listing() { return run_shell("ls").out; }

// The files of `names` that exist, each as "NAME:" on a line of its own then
// its content.
inline std::string files(std::initializer_list<const char*> names) {
  std::string out;
  for (const char* name : names) {
    if (std::filesystem::exists(name)) out += std::string(name) + ":\n" + read_file(name);
  }
  return out;
}

// A dictionary of `kind` in which texts[i] has code i + 1, as prepare writes it.
inline void write_dictionary(const std::string& path, quadmine::DictionaryKind kind,
                             const std::vector<std::string>& texts) {
  std::FILE* out = std::fopen(path.c_str(), "w");
  for (std::size_t i = 0; i < texts.size(); ++i) {
    quadmine::write_code_dictionary_line(out, kind, static_cast<int>(i + 1), texts[i]);
  }
  std::fclose(out);
}

// Up to `max_lines` lines of a few users, tags and resources (ids from
// `lowest`) and D values from d_lo to d_hi, in runs that share tag, resource
// and D.
inline std::string generated_base(std::mt19937& rng, int max_lines, int lowest, int d_lo,
                                  int d_hi) {
  const auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  const int lines = pick(2, max_lines), users = lowest + pick(1, 8), tags = lowest + pick(0, 4),
            resources = lowest + pick(0, 6);
  std::string base;
  for (int written = 0; written < lines;) {
    const std::string key = " " + std::to_string(pick(lowest, tags)) + " " +
                            std::to_string(pick(lowest, resources)) + " " +
                            std::to_string(pick(d_lo, d_hi)) + "\n";
    for (int k = pick(1, 4); k > 0 && written < lines; --k, ++written) {
      base += std::to_string(pick(lowest, users)) + key;
    }
  }
  return base;
}

// Writes DIR/quadri_concepts.txt and DIR/users_only.txt as a run that reports
// the concepts of `reported` writes them.
inline void write_results(const std::string& dir, const Store& reported) {
  std::string concepts, users;
  for (const TriConcept& c : reported) {
    const char* labels[] = {"\nU = {", "},  T = {", "},  R = {", "},  D = {"};
    const Ints* sets[] = {&c.us, &c.ts, &c.rs, &c.ds};
    for (int k = 0; k < 4; ++k) {
      concepts += labels[k];
      for (const int x : *sets[k]) concepts += std::to_string(x) + ", ";
    }
    concepts += "}";
    for (const int u : c.us) users += std::to_string(u) + " " + std::to_string(c.ds.front()) + "\n";
  }
  std::filesystem::create_directories(dir);
  write_file(dir + "/quadri_concepts.txt", concepts);
  write_file(dir + "/users_only.txt", users);
}
