// The summary printed by quadmine-show --summary.
#pragma once

#include <array>
#include <cstdio>
#include <map>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "formats/base_dictionaries.h"
#include "formats/concept_file.h"
#include "show/command_line.h"
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

// Gathers the facts of a summary one concept at a time, so that a summary in
// file order keeps no concept: only the counts per set size and per element.
class SummaryCounter {
 public:
  void add(const ReportedConcept& c);

  // The number of concepts added, how many have each set size in each
  // dimension, and per dimension the `top` elements held by the most concepts
  // (ties by code). users_file is left for the caller.
  Summary finish(long top) const;

 private:
  Summary counts_;                                                         // concepts and sizes
  std::array<std::unordered_map<int, std::size_t>, kDimensions> holding_;  // code -> concepts
  std::vector<int> distinct_;                                              // scratch
};

// Prints the summary on standard output (`out`):
//
//   Text       aligned tables; with `codes` a top element's name is followed
//              by its code, "rock (4)".
//   Tsv, Csv   one table, every row with the same five fields (quoted as
//              delimited_field.h says) under the header
//              "statistic dimension key name value":
//                concepts                   -          -     -     concepts
//                users_only_lines           -          -     -     lines
//                users_only_distinct_users  -          -     -     users
//                size                       DIMENSION  SIZE  -     concepts
//                top                        DIMENSION  CODE  NAME  concepts
//              ('-' an empty field; DIMENSION users, tags, resources or d; the
//              users_only rows only when users_only.txt was read; NAME the
//              dictionary's name, as it is, or empty).
//   Json       one object: "concepts", "users_only" ({"lines",
//   JsonLines  "distinct_users"}), "sizes" (per dimension, size -> concepts),
//              "top" (per dimension, a list of {"code", "name", "concepts"},
//              "name" only for a dimension with a dictionary, null for a code
//              it lacks); JsonLines puts it on one line.
//
// Fails with "cannot write to standard output: REASON".
Status print_summary(std::FILE* out, const Summary& summary, const Dictionaries& names,
                     Format format, bool codes);

}  // namespace quadmine
