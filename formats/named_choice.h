// Option values chosen by name on a command line.
#pragma once

#include <map>
#include <string_view>

namespace quadmine {

// Sets `out` to the value that `choices` gives the name `text`; false, leaving
// `out` as it was, when there is none.
template <typename Value>
bool pick(const std::map<std::string_view, Value>& choices, std::string_view text, Value& out) {
  const auto it = choices.find(text);
  if (it == choices.end()) return false;
  out = it->second;
  return true;
}

}  // namespace quadmine
