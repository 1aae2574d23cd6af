// Reading back the report file quadri_concepts.txt.
#pragma once

#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "util/status.h"

namespace quadmine {

// The index of each set of a concept.
enum Dimension { kUsers = 0, kTags = 1, kResources = 2, kDValues = 3 };
constexpr int kDimensions = 4;

// One concept of the report file.
struct ReportedConcept {
  std::array<std::vector<int>, kDimensions> sets;
  long number = 0;  // position in the file, from 1
};

// The concepts of `in` (named `name` in messages), in file order. Each is one
// line
//
//   U = {1, 2, },  T = {10, },  R = {100, },  D = {5, }
//
// every element followed by ", " (the file begins with a line feed and ends
// without one; empty lines are skipped). Fails with "NAME:LINE: not a concept
// line", or "NAME:LINE: read error" (the line after the last one read).
Result<std::vector<ReportedConcept>> read_concept_file(std::FILE* in, const std::string& name);

}  // namespace quadmine
