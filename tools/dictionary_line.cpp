#include "tools/dictionary_line.h"

#include <climits>
#include <cstddef>

namespace {

bool is_space(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Reads fields left to right from a line, the way scanf's conversions do.
class FieldScanner {
 public:
  explicit FieldScanner(std::string_view text) : text_(text) {}

  // "%s": a non-empty run of non-blank bytes.
  bool word(std::string_view& out) {
    skip_space();
    const std::size_t first = pos_;
    while (pos_ < text_.size() && !is_space(text_[pos_])) ++pos_;
    if (pos_ == first) return false;
    out = text_.substr(first, pos_ - first);
    return true;
  }

  // "%d": optional sign, then digits; values outside int are refused instead
  // of wrapping.
  bool number(int& out) {
    skip_space();
    bool negative = false;
    if (pos_ < text_.size() && (text_[pos_] == '+' || text_[pos_] == '-')) {
      negative = text_[pos_] == '-';
      ++pos_;
    }
    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    long long value = 0;
    const std::size_t first_digit = pos_;
    while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9') {
      value = value * 10 + (text_[pos_] - '0');
      if (value > limit) return false;
      ++pos_;
    }
    if (pos_ == first_digit) return false;
    out = static_cast<int>(negative ? -value : value);
    return true;
  }

 private:
  void skip_space() {
    while (pos_ < text_.size() && is_space(text_[pos_])) ++pos_;
  }

  std::string_view text_;
  std::size_t pos_ = 0;
};

}  // namespace

bool parse_dictionary_line(std::string_view line, DictionaryLine& out) {
  if (line.find('\0') != std::string_view::npos) return false;
  FieldScanner scan(line);
  DictionaryLine fields;
  if (!scan.word(fields.tag) || !scan.number(fields.number) || !scan.number(fields.tag_code) ||
      !scan.number(fields.url_code) || !scan.word(fields.url)) {
    return false;
  }
  out = fields;
  return true;
}
