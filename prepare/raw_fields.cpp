#include "prepare/raw_fields.h"

#include <utility>

#include "text/scanner.h"

namespace quadmine {

namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view trim_blanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// Reads the quoted field that starts at line[pos] (on the '"') into `field`
// and leaves pos after the closing quote and any blanks behind it.
bool take_quoted(std::string_view line, std::size_t& pos, std::string& field) {
  for (++pos; pos < line.size(); ++pos) {
    if (line[pos] != '"') {
      field.push_back(line[pos]);
    } else if (pos + 1 < line.size() && line[pos + 1] == '"') {
      field.push_back('"');
      ++pos;
    } else {
      ++pos;
      while (pos < line.size() && kBlanks.find(line[pos]) != std::string_view::npos) ++pos;
      return true;
    }
  }
  return false;
}

// Appends every maximal run of characters that are neither blank nor tab.
void split_blanks(std::string_view line, std::vector<std::string>& fields) {
  for (std::size_t start = line.find_first_not_of(kBlanks); start != std::string_view::npos;) {
    const std::size_t end = line.find_first_of(kBlanks, start);
    fields.emplace_back(line.substr(start, end - start));
    start = end == std::string_view::npos ? end : line.find_first_not_of(kBlanks, end);
  }
}

}  // namespace

bool whole_int(std::string_view text, int& out) {
  TextScanner scan(text);
  int value = 0;
  if (!scan.number(value) || !scan.only_space_left()) return false;
  out = value;
  return true;
}

Separator detect_separator(std::string_view first_line) {
  if (first_line.find('\t') != std::string_view::npos) return Separator::Tab;
  if (first_line.find(',') != std::string_view::npos) return Separator::Comma;
  return Separator::Blanks;
}

bool split_fields(std::string_view line, Separator separator, std::vector<std::string>& fields) {
  fields.clear();
  if (separator == Separator::Blanks) {
    split_blanks(line, fields);
    return true;
  }
  const char sep = separator == Separator::Tab ? '\t' : ',';
  std::size_t pos = 0;
  for (;;) {
    const std::size_t start = line.find_first_not_of(sep == '\t' ? " " : kBlanks, pos);
    std::string field;
    if (start != std::string_view::npos && line[start] == '"') {
      pos = start;
      if (!take_quoted(line, pos, field)) return false;
      if (pos < line.size() && line[pos] != sep) return false;
    } else {
      const std::size_t end = line.find(sep, pos);
      field = trim_blanks(line.substr(pos, end == std::string_view::npos ? end : end - pos));
      pos = end == std::string_view::npos ? line.size() : end;
    }
    fields.push_back(std::move(field));
    if (pos >= line.size()) return true;
    ++pos;  // the separator
  }
}

}  // namespace quadmine
