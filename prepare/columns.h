// The columns a command line names (COL: a header name or a number from 1),
// found in the records of a delimited file, and the messages that say what a
// file holds instead when they are not there.
#pragma once

#include <cstddef>
#include <string>

#include "prepare/record.h"
#include "prepare/text_format.h"
#include "util/status.h"

namespace quadmine {

struct Column {
  std::size_t index = 0;  // from 0
  std::string label;      // how messages name it: 4 or 'tagID'
};

// Whether COL is a column number (decimal digits only).
bool is_column_number(const std::string& arg);

// The column COL: a number counts from 1; a name is looked up in `header`
// (nullptr when the file has none). Fails with "no column named 'X' in the
// header (...)" or, without a header, "no header to find column 'X' in".
Result<Column> find_column(const std::string& arg, const Record* header, Separator separator);

// What a record holds, for messages: "separator tab; NOUN 'a', 'b', 'c'"
// (long fields and long lists shortened).
std::string fields_found(const Record& record, Separator separator, const char* noun);

// "missing columns: the line has N fields, M are needed (separator ...;
// fields ...)".
std::string missing_columns(const Record& record, std::size_t needed, Separator separator);

}  // namespace quadmine
