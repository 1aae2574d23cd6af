#include "loader/run_order.h"

#include <algorithm>
#include <string_view>
#include <tuple>
#include <vector>

#include "text/line_reader.h"

namespace quadmine {

namespace {

struct RunStart {
  int resource, d, tag;
  long line;
};

bool same_key(const RunStart& a, const RunStart& b) {
  return a.resource == b.resource && a.d == b.d && a.tag == b.tag;
}

}  // namespace

RunSplit find_split_runs(std::FILE* base) {
  RunSplit result;
  if (std::fseek(base, 0, SEEK_SET) != 0) return result;
  std::vector<RunStart> runs;
  TextLineReader reader;
  std::string_view text;
  long number = 0;
  Quad q{};
  while (reader.next(base, text)) {
    ++number;
    const LineKind kind = parse_base_line(text.data(), text.size(), q);
    if (kind == LineKind::Invalid) break;
    if (kind == LineKind::Blank) continue;
    const RunStart start{q[2], q[3], q[1], number};
    if (runs.empty() || !same_key(runs.back(), start)) runs.push_back(start);
  }
  std::sort(runs.begin(), runs.end(), [](const RunStart& a, const RunStart& b) {
    return std::tie(a.resource, a.d, a.tag, a.line) < std::tie(b.resource, b.d, b.tag, b.line);
  });
  for (std::size_t i = 1; i < runs.size(); ++i) {
    if (!same_key(runs[i - 1], runs[i])) continue;
    // runs[i] repeats the key of an earlier run; count each key once.
    if (i < 2 || !same_key(runs[i - 2], runs[i])) ++result.keys;
    if (result.first_line == 0 || runs[i].line < result.first_line)
      result.first_line = runs[i].line;
  }
  return result;
}

}  // namespace quadmine
