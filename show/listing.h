// Printing the concepts that quadmine-show chose.
#pragma once

#include <cstdio>
#include <vector>

#include "show/command_line.h"
#include "show/names.h"

namespace quadmine {

// Prints `chosen` in their order, each numbered by its position in the report
// file:
//
//   Text  one block per concept, a blank line after each:
//           concept 12  (3 users, 2 tags, 1 resource, 1 D value)
//             users      1, 2, 3
//             tags       rock, indie
//             resources  Muse
//             D          2009
//   Tsv   a header line "concept users tags resources d", then one line per
//         concept; each set is its elements separated by blanks, texts
//         percent-encoded as in the dictionaries so that none holds a blank.
//   Json  an array with one object per concept and line: "concept", the codes
//         in "users", "tags", "resources", "d", and for each dimension with a
//         dictionary its texts in "user_names", "tag_names" or
//         "resource_names" (null where the dictionary lacks the code).
void print_concepts(std::FILE* out, const std::vector<const ReportedConcept*>& chosen,
                    const Names& names, Format format);

}  // namespace quadmine
