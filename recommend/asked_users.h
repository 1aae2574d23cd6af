// The users quadmine-recommend prints: every user served, or those asked for
// with --user.
#pragma once

#include <string>
#include <vector>

#include "evaluation/served_users.h"
#include "formats/base_dictionaries.h"
#include "util/status.h"

namespace quadmine {

// The user codes that `values` stand for (each a name of the users
// dictionary, every code of that name, or else a code; resolve_element), each
// code once, in the order of the values. Fails as resolve_element.
Result<std::vector<int>> resolve_users(const Dictionaries& names,
                                       const std::vector<std::string>& values);

struct AskedUsers {
  std::vector<ServedUser> found;  // the codes asked for that are served, in their order
  std::vector<int> missing;       // the others: users of no reported concept
};

// Splits `codes` between the users of `served` (each with its D value) and
// the codes that no served user has.
AskedUsers find_asked(const std::vector<int>& codes, const std::vector<ServedUser>& served);

}  // namespace quadmine
