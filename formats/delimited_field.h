// Fields of tab- or comma-separated output, quoted as RFC 4180 quotes them, so
// that spreadsheets and Python's csv module read every field back exactly.
#pragma once

#include <string>
#include <string_view>

namespace quadmine {

// Appends `text` to `out` as one field: as it stands, or -- when it holds the
// separator, a double quote, a CR or a LF -- between double quotes, each
// double quote inside doubled.
void append_delimited_field(std::string& out, std::string_view text, char separator);

// `text` as one field, as above.
std::string delimited_field(std::string_view text, char separator);

}  // namespace quadmine
