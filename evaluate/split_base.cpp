#include "evaluate/split_base.h"

#include <string_view>

#include "loader/base_line.h"
#include "text/line_reader.h"

namespace quadmine {

namespace {

Status empty_part(const std::string& name, int split, const char* part, const char* test) {
  const std::string s = std::to_string(split);
  return Status::error("SPLIT " + s + " leaves the " + part + " part empty: no line of " + name +
                       " has d " + test + " " + s);
}

}  // namespace

Result<SplitBase> split_base(std::FILE* base, const std::string& name, int split) {
  SplitBase parts;
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
    if (quad[3] < split) {
      parts.training.append(line);
      ++parts.training_lines;
      parts.training_pairs.emplace_back(quad[0], quad[2]);
    } else {
      ++parts.test_lines;
      parts.test_pairs.emplace_back(quad[0], quad[2]);
    }
  }
  if (std::ferror(base)) return line_error(name, number + 1, "read error");
  if (parts.training_lines == 0) return empty_part(name, split, "training", "<");
  if (parts.test_lines == 0) return empty_part(name, split, "test", ">=");
  return parts;
}

}  // namespace quadmine
