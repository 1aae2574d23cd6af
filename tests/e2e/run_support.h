// Shared by the runs of the programs beside quadmine: their paths, a run with
// its outcome compared whole (status, standard output, standard error), and
// what a run left in the current directory.
#pragma once

#include <ostream>
#include <string>

#include "support.h"

inline const std::string kPrepare = QUADMINE_PREPARE_BIN;
inline const std::string kShow = QUADMINE_SHOW_BIN;
inline const std::string kEvaluate = QUADMINE_EVALUATE_BIN;

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
