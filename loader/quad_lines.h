// The quadruple lines of a base file read one by one, for the commands that
// take a base apart instead of loading it (a split, the resources users know).
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "loader/base_line.h"
#include "text/line_reader.h"
#include "util/status.h"

namespace quadmine {

// Calls visit(quad, line) for every quadruple line of `base`, in file order;
// blank lines are skipped. Any other line, or a read error, ends the walk with
// "NAME:LINE: ..." and no further call.
template <class Visit>
Status for_each_quad(std::FILE* base, const std::string& name, Visit visit) {
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
    visit(quad, line);
  }
  if (std::ferror(base) != 0) return line_error(name, number + 1, "read error");
  return {};
}

}  // namespace quadmine
