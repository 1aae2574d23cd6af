#include "formats/delimited_field.h"

namespace quadmine {

void append_delimited_field(std::string& out, std::string_view text, char separator) {
  const char special[] = {separator, '"', '\r', '\n'};
  if (text.find_first_of(std::string_view(special, sizeof special)) == std::string_view::npos) {
    out.append(text);
    return;
  }
  out.push_back('"');
  for (const char c : text) {
    if (c == '"') out.push_back('"');
    out.push_back(c);
  }
  out.push_back('"');
}

std::string delimited_field(std::string_view text, char separator) {
  std::string out;
  append_delimited_field(out, text, separator);
  return out;
}

}  // namespace quadmine
