#include "show/names.h"

#include <cstdio>

namespace quadmine {

const std::string* Names::find(int d, int code) const {
  return texts[static_cast<std::size_t>(d)].find(code);
}

std::string Names::of(int d, int code) const {
  const std::string* text = find(d, code);
  return text != nullptr ? *text : std::to_string(code);
}

std::string json_string(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      out.push_back('\\');
      out.push_back(c);
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
      out += escaped;
    } else {
      out.push_back(c);
    }
  }
  return out + "\"";
}

}  // namespace quadmine
