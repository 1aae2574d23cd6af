// One line of the tag or URL dictionary: five fields separated by white space,
//
//   tag-text  number  tag-code  url-code  url-text
//
// read as scanf reads "%s %d %d %d %s": white space (blank, tab, CR, LF, VT,
// FF) is skipped before every field, a text is a maximal run of other bytes,
// a number is an optional sign and at least one decimal digit and ends at the
// first byte that is not a digit. Whatever follows the fifth field is ignored.
#pragma once

#include <string_view>

namespace quadmine {

struct DictionaryLine {
  std::string_view tag;  // field 1
  int number = 0;        // field 2, used by no lookup
  int tag_code = 0;      // field 3
  int url_code = 0;      // field 4
  std::string_view url;  // field 5
};

// Fills `out` and returns true when the line holds all five fields. Returns
// false, leaving `out` untouched, when a field is missing or malformed, a
// number does not fit in an int, or the line holds a NUL byte (the
// dictionaries are text). The views in `out` point into `line`.
bool parse_dictionary_line(std::string_view line, DictionaryLine& out);

}  // namespace quadmine
