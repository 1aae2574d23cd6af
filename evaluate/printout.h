// What quadmine-evaluate prints.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

#include "evaluate/command_line.h"
#include "evaluate/metrics.h"

namespace quadmine {

// The figures of one evaluation.
struct EvaluationReport {
  std::string base;
  int split = 0;
  Thresholds thresholds;
  long training_lines = 0;
  long test_lines = 0;
  std::size_t concepts = 0;  // reported by the training run
  std::size_t evaluated_users = 0;
  std::vector<Score> scores;  // method by method, k by k
};

// Prints `report` to `out`:
//   Text  the counts, one per line, then a table of method, k and the four
//         figures (4 decimals);
//   Tsv   the header "method k users precision recall hit_rate coverage"
//         (tab-separated) and one row per method and k (6 decimals); the
//         counts are not part of it (see count_line());
//   Json  one object: "base", "split", "thresholds", "training_lines",
//         "test_lines", "reported_concepts", "evaluated_users" and "scores",
//         an array of objects with the TSV's columns as keys.
void print_report(std::FILE* out, const EvaluationReport& report, EvaluateFormat format);

// "N training lines, N test lines, N reported concepts, N evaluated users".
std::string count_line(const EvaluationReport& report);

}  // namespace quadmine
