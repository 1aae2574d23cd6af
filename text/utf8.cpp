#include "text/utf8.h"

namespace quadmine {

namespace {

bool continuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// The length of the well-formed sequence that starts at text[i] (a byte of
// 0x80 or more), or 0 when it is not one. The ranges of the second byte rule
// out the overlong forms, the surrogates and what lies above U+10FFFF.
std::size_t sequence_length(std::string_view text, std::size_t i) {
  const auto at = [&](std::size_t k) { return static_cast<unsigned char>(text[i + k]); };
  const unsigned char lead = at(0);
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (text.size() - i < length || at(1) < low || at(1) > high) return 0;
  for (std::size_t k = 2; k < length; ++k) {
    if (!continuation(at(k))) return 0;
  }
  return length;
}

}  // namespace

std::size_t invalid_utf8_at(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    if (static_cast<unsigned char>(text[i]) < 0x80) {
      ++i;
      continue;
    }
    const std::size_t length = sequence_length(text, i);
    if (length == 0) return i;
    i += length;
  }
  return std::string_view::npos;
}

void append_latin1_as_utf8(std::string_view text, std::string& out) {
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      out.push_back(c);
    } else {
      out.push_back(static_cast<char>(0xC0 | (byte >> 6)));
      out.push_back(static_cast<char>(0x80 | (byte & 0x3F)));
    }
  }
}

}  // namespace quadmine
