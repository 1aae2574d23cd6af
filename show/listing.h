// Printing the concepts that quadmine-show chose, one at a time, each numbered
// by its position in the report file.
//
//   Text   one block per concept, a blank line after each:
//            concept 12  (3 users, 2 tags, 1 resource, 1 D value)
//              users      1, 2, 3
//              tags       rock, indie pop
//              resources  Muse
//              D          2009
//          With codes, a name is followed by its code: "rock (4)".
//   Tsv    a header line, then one line per concept; fields separated by a tab
//   Csv    (TSV) or a comma (CSV) and quoted as delimited_field.h says. The
//          columns: concept, users, tags, resources, d; with codes,
//          concept, users, user_codes, tags, tag_codes, resources,
//          resource_codes, d. A set is its elements separated by one blank,
//          each a name percent-encoded as in the dictionaries (a blank is %20,
//          '%' is %25) or a code in decimal; a codes column holds the codes.
//   Json   an array, one object per concept and line; JsonLines: the same
//   JsonLines  objects, one per line, with no array around them. An object
//          holds "concept", then for each dimension its codes ("users",
//          "tags", "resources", "d") and, when the dimension has a
//          dictionary, right after them the names in the same order
//          ("user_names", "tag_names", "resource_names"; null for a code the
//          dictionary lacks). Strings are valid UTF-8 (json_text.h).
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

#include "formats/base_dictionaries.h"
#include "formats/concept_file.h"
#include "show/command_line.h"
#include "util/status.h"

namespace quadmine {

// Prints to standard output (`out`): begin(), print() for each concept, end().
// Each call fails with "cannot write to standard output: REASON" once a write
// has failed.
class ConceptPrinter {
 public:
  ConceptPrinter(std::FILE* out, const Dictionaries& names, Format format, bool codes);

  Status begin();
  Status print(const ReportedConcept& c);
  Status end();

 private:
  std::string text(const ReportedConcept& c) const;
  std::string delimited(const ReportedConcept& c) const;
  std::string json(const ReportedConcept& c) const;
  Status put(const std::string& bytes);

  std::FILE* out_;
  const Dictionaries& names_;
  Format format_;
  bool codes_;
  std::size_t printed_ = 0;
};

// "cannot write to standard output: REASON", the reason from errno (left out
// when errno is 0).
Status write_failure();

// Ok while no write to `out` (standard output) has failed; otherwise
// write_failure().
Status output_status(std::FILE* out);

}  // namespace quadmine
