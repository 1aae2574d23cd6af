#include "evaluate/split_base.h"

#include <string_view>

#include "loader/quad_lines.h"

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
  const Status read = for_each_quad(base, name, [&](const Quad& quad, std::string_view line) {
    if (quad[3] < split) {
      parts.training.append(line);
      ++parts.training_lines;
      parts.training_pairs.emplace_back(quad[0], quad[2]);
    } else {
      ++parts.test_lines;
      parts.test_pairs.emplace_back(quad[0], quad[2]);
    }
  });
  if (!read.ok()) return read;
  if (parts.training_lines == 0) return empty_part(name, split, "training", "<");
  if (parts.test_lines == 0) return empty_part(name, split, "test", ">=");
  return parts;
}

}  // namespace quadmine
