// Reading a raw event file into the distinct quadruples of a base.
#pragma once

#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "prepare/command_line.h"
#include "prepare/id_column.h"
#include "util/status.h"

namespace quadmine {

// One line of the base: user, tag, resource, D.
using Quadruple = std::array<int, 4>;

// What a raw file gives.
struct PreparedBase {
  std::vector<Quadruple> quads;
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
// The result holds the distinct quadruples sorted numerically by resource, D,
// tag and user, the three identifier columns and the count of events. On bad
// input it fails with "NAME:LINE: what is wrong" (a missing or empty column, a
// bad number, a bad date, an unclosed quote, a header without the named
// column, a read error).
Result<PreparedBase> read_raw_events(std::FILE* in, const std::string& name,
                                     const PrepareOptions& options);

}  // namespace quadmine
