#include "formats/concept_file.h"

#include <charconv>
#include <string_view>
#include <utility>

namespace quadmine {

namespace {

// Parses "X = {a, b, }" at the front of `rest` (after `label`) into `set`.
bool take_set(std::string_view& rest, std::string_view label, std::vector<int>& set) {
  if (rest.substr(0, label.size()) != label) return false;
  rest.remove_prefix(label.size());
  while (!rest.empty() && rest.front() != '}') {
    int value = 0;
    const auto [end, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), value);
    if (ec != std::errc()) return false;
    rest.remove_prefix(static_cast<std::size_t>(end - rest.data()));
    if (rest.substr(0, 2) != ", ") return false;
    rest.remove_prefix(2);
    set.push_back(value);
  }
  if (rest.empty()) return false;
  rest.remove_prefix(1);  // '}'
  return true;
}

bool parse_concept_line(std::string_view line, ReportedConcept& c) {
  static constexpr std::array<std::string_view, kDimensions> kLabels = {"U = {", ",  T = {",
                                                                        ",  R = {", ",  D = {"};
  for (int d = 0; d < kDimensions; ++d) {
    if (!take_set(line, kLabels[static_cast<std::size_t>(d)],
                  c.sets[static_cast<std::size_t>(d)])) {
      return false;
    }
  }
  return line.empty();
}

}  // namespace

ConceptFileReader::ConceptFileReader(std::FILE* in, std::string name)
    : in_(in), name_(std::move(name)) {}

Result<bool> ConceptFileReader::next(ReportedConcept& c) {
  std::string_view line;
  while (lines_.next(in_, line)) {
    ++line_;
    if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
    if (line.empty()) continue;
    for (auto& set : c.sets) set.clear();
    c.number = concepts_ + 1;
    if (!parse_concept_line(line, c)) return line_error(name_, line_, "not a concept line");
    ++concepts_;
    return true;
  }
  if (std::ferror(in_) != 0) return line_error(name_, line_ + 1, "read error");
  return false;
}

}  // namespace quadmine
