#include "prepare/record_splitter.h"

#include <algorithm>
#include <string>

namespace quadmine {

namespace {

// What follows a field: the record ends with the line, or a quoted field goes
// on in the next line; any other value is where the next field starts.
constexpr std::size_t kLineDone = std::string_view::npos;
constexpr std::size_t kQuoteOpen = std::string_view::npos - 1;

}  // namespace

RecordSplitter::RecordSplitter(Separator separator, Quoting quoting)
    : separator_(separator), quotes_(quoting == Quoting::Rfc4180) {}

bool RecordSplitter::trimmed(char c) const {
  return (c == ' ' || c == '\t') && (separator_.blank_runs || c != separator_.byte);
}

std::size_t RecordSplitter::skip_blanks(std::string_view line, std::size_t pos) const {
  while (pos < line.size() && trimmed(line[pos])) ++pos;
  return pos;
}

bool RecordSplitter::add_line(std::string_view line, std::string_view eol, long number,
                              Record& record) {
  number_ = number;
  std::size_t pos = 0;
  if (in_quote_) {
    pos = quoted(line, 0, eol, record);
  } else if (separator_.blank_runs && skip_blanks(line, 0) == line.size()) {
    pos = kLineDone;  // nothing but blanks: no field
  }
  while (pos != kLineDone && pos != kQuoteOpen) pos = field(line, pos, eol, record);
  return pos == kLineDone;
}

// The field that starts at line[pos], blanks before it included.
std::size_t RecordSplitter::field(std::string_view line, std::size_t pos, std::string_view eol,
                                  Record& record) {
  const std::size_t start = skip_blanks(line, pos);
  if (quotes_ && start < line.size() && line[start] == '"') {
    in_quote_ = true;
    return quoted(line, start + 1, eol, record);
  }
  std::size_t end = start;
  if (separator_.blank_runs) {
    while (end < line.size() && !trimmed(line[end])) ++end;
  } else {
    end = std::min(line.find(separator_.byte, start), line.size());
  }
  std::size_t last = end;
  while (last > start && trimmed(line[last - 1])) --last;
  record.append(line.substr(start, last - start));
  record.end_field();
  if (end == line.size()) return kLineDone;
  if (!separator_.blank_runs) return end + 1;
  const std::size_t next = skip_blanks(line, end);
  return next == line.size() ? kLineDone : next;
}

// The inside of a quoted field from line[pos], up to its closing quote or
// the end of the line.
std::size_t RecordSplitter::quoted(std::string_view line, std::size_t pos, std::string_view eol,
                                   Record& record) {
  for (;;) {
    const std::size_t quote = line.find('"', pos);
    if (quote == std::string_view::npos) {
      record.append(line.substr(pos));
      record.append(eol);
      return kQuoteOpen;
    }
    record.append(line.substr(pos, quote - pos));
    if (quote + 1 < line.size() && line[quote + 1] == '"') {
      record.append('"');
      pos = quote + 2;
      continue;
    }
    in_quote_ = false;
    return after_quote(line, quote + 1, record);
  }
}

// What follows the closing quote at line[pos - 1]: blanks, then the separator
// or the end of the line.
std::size_t RecordSplitter::after_quote(std::string_view line, std::size_t pos, Record& record) {
  record.end_field();
  const std::size_t next = skip_blanks(line, pos);
  if (next == line.size()) return kLineDone;
  if (separator_.blank_runs ? next > pos : line[next] == separator_.byte) {
    return separator_.blank_runs ? next : next + 1;
  }
  record.fail(number_, "text after the closing quote of field " + std::to_string(record.size()));
  return kLineDone;
}

}  // namespace quadmine
