// Scanning of the program's text inputs: the command line, the lines of the
// base and the lines of the dictionaries all read numbers and words with it.
#pragma once

#include <cstddef>
#include <string_view>

namespace quadmine {

// White space as the "C" locale's isspace sees it: blank, tab, line feed,
// vertical tab, form feed, carriage return.
constexpr bool is_space(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Reads fields of one text from left to right, the way scanf's conversions
// do: each read skips the white space before its field.
class TextScanner {
 public:
  explicit TextScanner(std::string_view text) : text_(text) {}

  // Skips white space; true when nothing else is left.
  bool only_space_left();

  // "%d": an optional sign and at least one decimal digit. False when there
  // is no digit or the value does not fit an int (scanf would wrap it).
  bool number(int& out);

  // atol narrowed to int: an optional sign and the digits up to the first
  // other byte; no digit gives 0, and a value beyond the int range gives the
  // nearest int instead of wrapping. Never fails.
  int saturated_number();

  // "%s": a non-empty run of bytes that are not white space.
  bool word(std::string_view& out);

 private:
  enum class Digits { None, Fit, TooLarge };

  // After the white space: the sign, then digits while the magnitude stays
  // within what an int of that sign can hold (stops at the first digit that
  // would exceed it).
  Digits signed_digits(int& out);

  std::string_view text_;
  std::size_t pos_ = 0;
};

}  // namespace quadmine
