#include "evaluation/served_users.h"

#include <cstdint>
#include <string_view>

#include "index/flat_int_map.h"
#include "text/line_reader.h"
#include "text/scanner.h"

namespace quadmine {

Result<std::vector<ServedUser>> read_served_users(std::FILE* users_only, const std::string& name) {
  std::vector<ServedUser> served;
  FlatIntMap seen;  // user -> number, in order of first sight
  TextLineReader lines;
  std::string_view line;
  long number = 0;
  while (lines.next(users_only, line)) {
    ++number;
    TextScanner scan(line);
    if (scan.only_space_left()) continue;
    ServedUser next{0, 0};
    if (!scan.number(next.user) || !scan.number(next.d) || !scan.only_space_left()) {
      return line_error(name, number, "not a user line (two integers expected)");
    }
    const auto fresh = static_cast<std::uint32_t>(seen.size());
    if (seen.emplace(next.user, fresh) == fresh) served.push_back(next);
  }
  if (std::ferror(users_only)) return line_error(name, number + 1, "read error");
  return served;
}

}  // namespace quadmine
