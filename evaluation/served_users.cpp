#include "evaluation/served_users.h"

#include <string_view>
#include <unordered_set>

#include "text/line_reader.h"
#include "text/scanner.h"

namespace quadmine {

Result<std::vector<ServedUser>> read_served_users(std::FILE* users_only, const std::string& name) {
  std::vector<ServedUser> served;
  std::unordered_set<int> seen;
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
    if (seen.insert(next.user).second) served.push_back(next);
  }
  if (std::ferror(users_only)) return line_error(name, number + 1, "read error");
  return served;
}

}  // namespace quadmine
