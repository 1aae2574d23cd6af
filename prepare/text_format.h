// How the delimited text files that quadmine-prepare reads (the raw events and
// the names files) are laid out: separator, quotes and encoding.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quadmine {

// What separates the fields of a line: one byte (every one ends a field, so
// empty fields count), or runs of blanks and tabs (leading and trailing ones
// ignored).
struct Separator {
  bool blank_runs = true;
  char byte = ' ';  // when not blank_runs

  static Separator blanks() { return Separator{}; }
  static Separator of(char c) { return Separator{false, c}; }
  bool operator==(const Separator&) const = default;
};

// How messages name a separator: "tab", "comma", "blanks", or the byte in
// quotes ("';'").
std::string separator_name(Separator separator);

// The separator of a file whose first line is `first_line`: a tab when the
// line holds one, otherwise a comma when it holds one, otherwise blanks.
Separator detect_separator(std::string_view first_line);

// Whether a double quote at the start of a field quotes it.
enum class Quoting {
  Rfc4180,  // a quoted field may hold separators and line breaks; "" stands for "
  None,     // quotes are ordinary characters
};

// Quotes are ordinary characters in tab-separated and blank-separated files,
// and quote fields with any other separator.
Quoting default_quoting(Separator separator);

enum class Encoding {
  Utf8,    // checked: a line with bytes that are not UTF-8 is bad
  Latin1,  // ISO-8859-1, converted to UTF-8 as it is read
};

// How the files of a run are read; what is not given is settled for each file
// from its first non-blank line.
struct InputFormat {
  std::optional<Separator> separator;
  std::optional<Quoting> quoting;
  Encoding encoding = Encoding::Utf8;
};

}  // namespace quadmine
