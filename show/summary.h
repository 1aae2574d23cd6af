// The summary printed by quadmine-show --summary.
#pragma once

#include <array>
#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "show/command_line.h"
#include "show/names.h"
#include "util/status.h"

namespace quadmine {

// What users_only.txt holds: its lines and its distinct users (the users the
// evaluations serve); `read` is false when it could not be opened.
struct UsersFileCount {
  bool read = false;
  long lines = 0;
  std::size_t distinct_users = 0;
};

// The facts of a summary over the chosen concepts.
struct Summary {
  std::size_t concepts = 0;
  std::array<std::map<std::size_t, std::size_t>, kDimensions> sizes;      // size -> concepts
  std::array<std::vector<std::pair<int, std::size_t>>, kDimensions> top;  // code -> concepts
  UsersFileCount users_file;
};

// Counts the lines of users_only.txt (`in`, named `name` in messages) and
// their distinct first numbers. Fails with "NAME:LINE: not a user line" at the
// first line that does not begin with a user, or "NAME:LINE: read error".
Result<UsersFileCount> count_users_file(std::FILE* in, const std::string& name);

// The number of `chosen` concepts, how many have each set size in each
// dimension, and per dimension the `top` elements held by the most concepts
// (ties by code). users_file is left for the caller.
Summary summarize(const std::vector<const ReportedConcept*>& chosen, long top);

// Text: aligned tables. Tsv: one fact per line, its first field "concepts",
// "users_only", "size" (dimension, size, concepts) or "top" (dimension, code,
// text, concepts). Json: one object with the same facts, a "name" beside each
// top code of a dimension that has a dictionary.
void print_summary(std::FILE* out, const Summary& summary, const Names& names, Format format);

}  // namespace quadmine
