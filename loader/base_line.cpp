#include "loader/base_line.h"

#include <climits>
#include <cstring>

namespace {

bool is_space(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// One "%d" conversion starting at text[pos]: white space, optional sign, at
// least one digit. Values outside int are rejected instead of wrapping.
bool parse_int(const char* text, std::size_t length, std::size_t& pos, int& out) {
  while (pos < length && is_space(text[pos])) ++pos;
  bool negative = false;
  if (pos < length && (text[pos] == '+' || text[pos] == '-')) {
    negative = text[pos] == '-';
    ++pos;
  }
  const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
  long long value = 0;
  const std::size_t first_digit = pos;
  while (pos < length && text[pos] >= '0' && text[pos] <= '9') {
    value = value * 10 + (text[pos] - '0');
    if (value > limit) return false;
    ++pos;
  }
  if (pos == first_digit) return false;
  out = static_cast<int>(negative ? -value : value);
  return true;
}

}  // namespace

LineKind parse_base_line(const char* text, std::size_t length, Quad& out) {
  if (std::memchr(text, '\0', length) != nullptr) return LineKind::Invalid;
  std::size_t pos = 0;
  while (pos < length && is_space(text[pos])) ++pos;
  if (pos == length) return LineKind::Blank;
  Quad q{};
  for (int& field : q) {
    if (!parse_int(text, length, pos, field)) return LineKind::Invalid;
  }
  out = q;
  return LineKind::Quad;
}
