// Reading a raw event file into the distinct quadruples of a base.
#pragma once

#include <array>
#include <vector>

#include "prepare/bad_lines.h"
#include "prepare/command_line.h"
#include "prepare/delimited_reader.h"
#include "prepare/id_column.h"
#include "util/status.h"

namespace quadmine {

// One line of the base: user, tag, resource, D.
using Quadruple = std::array<int, 4>;

// What a raw file gives.
struct PreparedBase {
  std::vector<Quadruple> quads;
  std::array<IdColumn, kDimensions> columns;  // users, tags, resources; settled
  long events = 0;                            // data lines read
};

// Reads every record of `reader`. The first one is the header when the
// options say so, or when a column is given by name, or when its D columns do
// not hold values of D. Each other record gives one (user, tag, resource, D)
// quadruple: IdColumn tells how identifiers are kept or coded, period.h and
// event_time.h how D is coded. Only the lines that give a quadruple add
// identifiers to the columns.
//
// The result holds the distinct quadruples sorted numerically by resource, D,
// tag and user, the three settled identifier columns and the count of events.
// A bad line (missing columns, an empty identifier, a bad number, time or
// date, a record with a problem: delimited_reader.h) goes to `bad`, which
// fails the reading or skips it. A first record with a problem, a header
// without a column named, and a read error fail it with "NAME:LINE: WHAT".
Result<PreparedBase> read_raw_events(DelimitedReader& reader, const PrepareOptions& options,
                                     BadLines& bad);

}  // namespace quadmine
