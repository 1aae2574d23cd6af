// The base loader.
#pragma once

#include <climits>
#include <cstdio>
#include <string>
#include <vector>

#include "loader/run_order.h"
#include "store/triconcept.h"
#include "util/status.h"

namespace quadmine {

// Lines holding more than four fields (only the first four are read).
struct WideLines {
  long lines = 0;
  long first_line = 0;  // line number, from 1, blank lines counted
};

struct LoadSummary {
  int lines = 0;   // quadruple lines read (blank lines are not counted)
  RunSplit split;  // keys found in more than one run
  WideLines wide;
};

// The most quadruple lines a base may hold: the line count is an int.
constexpr long kMaxBaseLines = INT_MAX;

// Reads `base` to its end and appends its initial concepts to `store`. Every
// run of consecutive lines with the same (tag, resource, D) key becomes one
// concept with one tag, one resource, one D value and the users of the run in
// line order; it is kept when it has at least `min_users` users. With
// `min_users` == 1 a line that does not continue the line before it also
// yields a single-user concept. Blank lines are skipped entirely: not counted,
// and neither ending nor starting a group.
//
// `name` is the base's name in the messages. On an invalid line, a read error
// or more than kMaxBaseLines lines the loader stops with a message that says
// where; `store` then holds what was loaded so far and must not be used. After
// a complete load, `split` tells whether some (tag, resource, D) key formed
// more than one run of lines (see run_order.h; the base is read a second time
// when its runs are not in ascending order); the groups are the same either
// way.
Result<LoadSummary> load_base(std::FILE* base, const std::string& name, int min_users,
                              std::vector<TriConcept>& store);

}  // namespace quadmine

// load_base(fp, "", minsupp_u, ens_tc), the line count going to ijk (0 after a
// failure).
quadmine::Result<quadmine::LoadSummary> load_la_base();
