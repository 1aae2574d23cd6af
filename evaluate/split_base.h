// A base cut in two at a D value: the past to mine, the future to predict.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "evaluation/known_resources.h"
#include "util/status.h"

namespace quadmine {

struct SplitBase {
  // The lines with d < split, in file order, as they stand in the base: what
  // quadmine would read from a file holding only them.
  std::string training;
  long training_lines = 0;
  long test_lines = 0;  // the lines with d >= split
  // (user, resource) of each line of either part.
  std::vector<KnownResources::Pair> training_pairs;
  std::vector<KnownResources::Pair> test_pairs;
};

// Reads the base `base` (named `name` in messages) to its end; its lines are
// quadruples "user tag resource d" as quadmine reads them, blank lines
// skipped. Fails with "NAME:LINE: not a quadruple line (four integers
// expected)", "NAME:LINE: read error", or when either part is empty ("SPLIT S
// leaves the training part empty: no line of NAME has d < S", and the same
// for the test part with d >= S).
Result<SplitBase> split_base(std::FILE* base, const std::string& name, int split);

}  // namespace quadmine
