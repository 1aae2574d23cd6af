// Splitting the lines of a raw event file into fields.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quadmine {

enum class Separator { Tab, Comma, Blanks };

// The separator of a file whose first line is `first_line`: Tab when the line
// holds a tab, otherwise Comma when it holds a comma, otherwise Blanks.
Separator detect_separator(std::string_view first_line);

// Replaces `fields` with the fields of `line` (given without its line end).
// Tab and Comma: every separator ends a field, so empty fields count; blanks
// around a field are dropped; a field that begins with '"' runs to the next
// lone '"' ("" inside stands for one '"') and may hold separators. Blanks:
// runs of blanks and tabs separate, leading and trailing ones are ignored.
// Returns false when a quoted field is not closed or text follows its quote.
bool split_fields(std::string_view line, Separator separator, std::vector<std::string>& fields);

// Reads the whole of `text` as one int, as the base's numbers are read (white
// space around it, an optional sign, decimal digits, within the int range).
bool whole_int(std::string_view text, int& out);

}  // namespace quadmine
