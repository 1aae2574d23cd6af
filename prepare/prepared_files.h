// Writing a prepared base and the dictionaries of its coded columns.
#pragma once

#include <string>
#include <vector>

#include "prepare/raw_events.h"
#include "util/status.h"

namespace quadmine {

// Writes the quadruples of `prepared` to `base`, one "%d %d %d %d\n" line
// each, and the dictionary of each coded column beside it (BASE.users,
// BASE.tags, BASE.resources; formats/code_dictionary.h). All are written as
// one AtomicFiles group, so none is replaced unless all were written whole.
// Gives the paths of the dictionaries written, in that order. Fails with
// "cannot create PATH: REASON" or "cannot write PATH: REASON".
Result<std::vector<std::string>> write_prepared(const PreparedBase& prepared,
                                                const std::string& base);

}  // namespace quadmine
