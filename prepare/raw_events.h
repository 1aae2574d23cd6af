// Reading a raw event file into the distinct quadruples of a base.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "loader/base_line.h"
#include "prepare/command_line.h"
#include "prepare/id_column.h"

namespace quadmine {

// What a raw file gives.
struct PreparedBase {
  std::vector<Quad> quads;  // U, T, R, D
  IdColumn users, tags, resources;
  long events = 0;  // data lines read
};

// Reads every line of `in` (named `name` in messages): the separator comes
// from the options or from the first non-blank line, which is also the header
// when the options say so or when a column is given by name or when its D
// columns are not numbers.
// Blank lines and a UTF-8 byte order mark are skipped. Each other line gives
// one (user, tag, resource, D) quadruple (IdColumn tells how identifiers are
// kept or coded, period.h how D is coded).
//
// On success `out` holds the distinct quadruples sorted numerically by
// resource, D, tag and user, the three identifier columns and the counts.
// On bad input it returns false and `error` reads "NAME:LINE: what is wrong"
// (a missing or empty column, a bad number, a bad date, an unclosed quote, a
// header without the named column, a read error).
bool read_raw_events(std::FILE* in, const std::string& name, const PrepareOptions& options,
                     PreparedBase& out, std::string& error);

}  // namespace quadmine
