#include "recommend/known_base.h"

#include <string_view>
#include <utility>
#include <vector>

#include "loader/base_line.h"
#include "text/line_reader.h"

namespace quadmine {

Result<KnownResources> read_known_resources(std::FILE* base, const std::string& name) {
  std::vector<KnownResources::Pair> pairs;
  TextLineReader lines;
  std::string_view line;
  long number = 0;
  while (lines.next(base, line)) {
    ++number;
    Quad quad{};
    const LineKind kind = parse_base_line(line.data(), line.size(), quad);
    if (kind == LineKind::Blank) continue;
    if (kind == LineKind::Invalid) {
      return line_error(name, number, "not a quadruple line (four integers expected)");
    }
    pairs.emplace_back(quad[0], quad[2]);
  }
  if (std::ferror(base) != 0) return line_error(name, number + 1, "read error");
  return KnownResources(std::move(pairs));
}

}  // namespace quadmine
