#include "recommend/asked_users.h"

#include <unordered_map>
#include <unordered_set>

namespace quadmine {

Result<std::vector<int>> resolve_users(const Dictionaries& names,
                                       const std::vector<std::string>& values) {
  std::vector<int> codes;
  std::unordered_set<int> seen;
  for (const std::string& value : values) {
    const Result<std::vector<int>> resolved = resolve_element(names, kUsers, value);
    if (!resolved.ok()) return resolved.status();
    for (const int code : resolved.value()) {
      if (seen.insert(code).second) codes.push_back(code);
    }
  }
  return codes;
}

AskedUsers find_asked(const std::vector<int>& codes, const std::vector<ServedUser>& served) {
  std::unordered_map<int, int> d_of;  // user -> D value
  for (const ServedUser& user : served) d_of.emplace(user.user, user.d);
  AskedUsers asked;
  for (const int code : codes) {
    const auto it = d_of.find(code);
    if (it == d_of.end()) {
      asked.missing.push_back(code);
    } else {
      asked.found.push_back({code, it->second});
    }
  }
  return asked;
}

}  // namespace quadmine
