// Reading back the report file quadri_concepts.txt.
#pragma once

#include <array>
#include <cstdio>
#include <vector>

namespace quadmine {

// The index of each set of a concept.
enum Dimension { kUsers = 0, kTags = 1, kResources = 2, kDValues = 3 };
constexpr int kDimensions = 4;

// One concept of the report file.
struct ReportedConcept {
  std::array<std::vector<int>, kDimensions> sets;
  long number = 0;  // position in the file, from 1
};

// Appends the concepts of `in` to `out` in file order. Each is one line
//
//   U = {1, 2, },  T = {10, },  R = {100, },  D = {5, }
//
// every element followed by ", " (the file begins with a line feed and ends
// without one; empty lines are skipped). Returns 0 on success,
// or the number of the first line that is not a concept line (a read error
// counts as the line after the last one read).
long read_concept_file(std::FILE* in, std::vector<ReportedConcept>& out);

}  // namespace quadmine
