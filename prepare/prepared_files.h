// Writing a prepared base and the dictionaries of its columns.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "prepare/raw_events.h"
#include "util/status.h"

namespace quadmine {

// The names read for each column from its names file (names_file.h), one per
// entry of the settled column; nullopt for a column given no names file.
using ColumnNames = std::array<std::optional<std::vector<std::string>>, kDimensions>;

// A dictionary to write: the column, and its path beside the base.
struct DictionaryTarget {
  Dimension dimension;
  std::string path;  // BASE.users, BASE.tags or BASE.resources
};

// The dictionaries a base gets, in the order users, tags, resources: one for
// each coded column and for each column given a names file.
std::vector<DictionaryTarget> dictionary_targets(const PreparedBase& prepared,
                                                 const ColumnNames& names, const std::string& base);

// How many entries of a column given names got none from the file.
long unnamed(const std::vector<std::string>& names);

// Writes the quadruples of `prepared` to `base`, one "%d %d %d %d\n" line
// each, and the dictionaries of `targets` (formats/code_dictionary.h: users
// and tags with the tag layout, resources with the URL layout): one line per
// distinct code, in increasing order, with the name from `names` or, for an
// entry without one, the column's own text (a coded column) or the identifier
// (an integer column). All are written as one AtomicFiles group, so none is
// replaced unless all were written whole; a target that is a device, a FIFO
// or standard output is written into (NonRegularTargets::WriteInto). Fails
// with "cannot create PATH: REASON" or "cannot write PATH: REASON".
Status write_prepared(const PreparedBase& prepared, const ColumnNames& names,
                      const std::vector<DictionaryTarget>& targets, const std::string& base);

}  // namespace quadmine
