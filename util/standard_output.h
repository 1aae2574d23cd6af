// The one way the commands beside quadmine word a failed write to standard
// output.
#pragma once

#include <cstdio>

#include "util/status.h"

namespace quadmine {

// "cannot write to standard output: REASON", the reason from errno (left out
// when errno is 0).
Status write_failure();

// Ok while no write to `out` (standard output) has failed; otherwise
// write_failure().
Status output_status(std::FILE* out);

}  // namespace quadmine
