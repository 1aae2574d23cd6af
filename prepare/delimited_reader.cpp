#include "prepare/delimited_reader.h"

#include <utility>

#include "text/utf8.h"

namespace quadmine {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string not_utf8(std::string_view line, std::size_t at) {
  constexpr char kHex[] = "0123456789ABCDEF";
  const auto byte = static_cast<unsigned char>(line[at]);
  return std::string("bytes that are not UTF-8 (0x") + kHex[byte >> 4] + kHex[byte & 0x0F] +
         " at byte " + std::to_string(at + 1) + "); give --encoding latin1 for a Latin-1 file";
}

}  // namespace

DelimitedReader::DelimitedReader(std::FILE* in, std::string name, const InputFormat& format)
    : in_(in), name_(std::move(name)), format_(format) {}

bool DelimitedReader::next(Record& record) {
  std::string_view line, eol;
  bool started = false;
  while (read_line(line, eol)) {
    const std::size_t invalid = decode(line);
    if (!started) {
      if (invalid == std::string_view::npos && line.find_first_not_of(" \t") == line.npos) {
        continue;  // a blank line
      }
      record.clear(lines_);
      started = true;
      if (!splitter_) settle(line);
    }
    if (invalid != std::string_view::npos) record.fail(lines_, not_utf8(line, invalid));
    if (splitter_->add_line(line, eol, lines_, record)) return true;
  }
  if (!started) return false;
  record.fail(record.line(), "unclosed quote (its field runs to the end of the file)");
  splitter_->reset();
  return true;
}

// The next physical line, without its line end (any run of CR and LF) and,
// on the first line, without a byte order mark.
bool DelimitedReader::read_line(std::string_view& content, std::string_view& eol) {
  std::string_view line;
  if (!lines_reader_.next(in_, line)) return false;
  ++lines_;
  bytes_ += line.size();
  std::size_t end = line.size();
  while (end > 0 && (line[end - 1] == '\n' || line[end - 1] == '\r')) --end;
  eol = line.substr(end);
  content = line.substr(0, end);
  if (lines_ == 1 && content.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
    content.remove_prefix(kByteOrderMark.size());
  }
  return true;
}

// Converts a Latin-1 line to UTF-8, or gives where a UTF-8 line goes wrong
// (npos when it does not).
std::size_t DelimitedReader::decode(std::string_view& line) {
  if (format_.encoding == Encoding::Utf8) return invalid_utf8_at(line);
  converted_.clear();
  append_latin1_as_utf8(line, converted_);
  line = converted_;
  return std::string_view::npos;
}

void DelimitedReader::settle(std::string_view first_line) {
  separator_ = format_.separator.value_or(detect_separator(first_line));
  splitter_.emplace(separator_, format_.quoting.value_or(default_quoting(separator_)));
}

}  // namespace quadmine
