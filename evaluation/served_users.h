// The users that the evaluations serve, read from users_only.txt.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "util/status.h"

namespace quadmine {

// A user and the D value it is served with.
struct ServedUser {
  int user;
  int d;
  bool operator==(const ServedUser&) const = default;
};

// The users of `users_only` (lines "user d", as the report writes them; the
// stream named `name` in messages, read from where it stands), each once, in
// order of first appearance, with the D value of its first line: whom the
// run's evaluations serve, and with what. Blank lines are skipped. Fails with
// "NAME:LINE: not a user line (two integers expected)" or "NAME:LINE: read
// error".
Result<std::vector<ServedUser>> read_served_users(std::FILE* users_only, const std::string& name);

}  // namespace quadmine
