// The names of the identifiers of one column, read from a lookup file such as
// a list of tags (tagID, tagValue) or of movies (movieId, title, genres).
#pragma once

#include <string>
#include <vector>

#include "prepare/bad_lines.h"
#include "prepare/command_line.h"
#include "prepare/delimited_reader.h"
#include "prepare/id_column.h"
#include "util/status.h"

namespace quadmine {

// Reads every record of `reader`. The first is the header, where the columns
// file.id and file.name are found (header names or numbers from 1). Each other
// record names the identifier of its id column when some event has it
// (IdColumn::position: the same text, or for integer identifiers the same
// integer); records of other identifiers are passed over, the first record of
// an identifier counts, and an empty name names nothing.
//
// Fills `names` with one name per entry of the settled `column` (empty when
// the file gives none). A bad record (missing columns, an empty identifier, a
// record with a problem) goes to `bad`; a header without a column named, a
// header with a problem and a read error fail with "NAME:LINE: WHAT".
Status read_names(DelimitedReader& reader, const NamesFile& file, const IdColumn& column,
                  std::vector<std::string>& names, BadLines& bad);

}  // namespace quadmine
