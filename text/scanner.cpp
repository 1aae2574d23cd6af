#include "text/scanner.h"

#include <climits>

namespace quadmine {

bool TextScanner::only_space_left() {
  while (pos_ < text_.size() && is_space(text_[pos_])) ++pos_;
  return pos_ == text_.size();
}

TextScanner::Digits TextScanner::signed_digits(int& out) {
  only_space_left();
  bool negative = false;
  if (pos_ < text_.size() && (text_[pos_] == '+' || text_[pos_] == '-')) {
    negative = text_[pos_] == '-';
    ++pos_;
  }
  const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
  long long value = 0;
  const std::size_t first_digit = pos_;
  Digits result = Digits::Fit;
  for (; pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9'; ++pos_) {
    value = value * 10 + (text_[pos_] - '0');
    if (value > limit) {
      value = limit;
      result = Digits::TooLarge;
      break;
    }
  }
  if (pos_ == first_digit) return Digits::None;
  out = static_cast<int>(negative ? -value : value);
  return result;
}

bool TextScanner::number(int& out) {
  int value = 0;
  if (signed_digits(value) != Digits::Fit) return false;
  out = value;
  return true;
}

int TextScanner::saturated_number() {
  int value = 0;
  return signed_digits(value) == Digits::None ? 0 : value;
}

bool TextScanner::word(std::string_view& out) {
  only_space_left();
  const std::size_t first = pos_;
  while (pos_ < text_.size() && !is_space(text_[pos_])) ++pos_;
  if (pos_ == first) return false;
  out = text_.substr(first, pos_ - first);
  return true;
}

}  // namespace quadmine
