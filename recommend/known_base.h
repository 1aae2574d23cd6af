// The resources each user already has in a base, for --exclude-known.
#pragma once

#include <cstdio>
#include <string>

#include "evaluation/known_resources.h"
#include "util/status.h"

namespace quadmine {

// The (user, resource) pairs of every line of the base `base` (named `name`
// in messages; quadruple lines "user tag resource d" as quadmine reads them,
// blank lines skipped), whatever the tag and the D value. Fails with
// "NAME:LINE: not a quadruple line (four integers expected)" or "NAME:LINE:
// read error".
Result<KnownResources> read_known_resources(std::FILE* base, const std::string& name);

}  // namespace quadmine
