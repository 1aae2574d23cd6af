// Helpers of the tests that run quadmine-recommend: result files written from
// a store, and the program run.
#pragma once

#include "support.h"

inline const std::string kRecommend = QUADMINE_RECOMMEND_BIN;

inline Outcome recommend(const std::string& args) {
  return run_shell("'" + kRecommend + "' " + args);
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
