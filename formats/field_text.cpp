#include "formats/field_text.h"

namespace quadmine {

namespace {

constexpr char kHex[] = "0123456789ABCDEF";

bool needs_escape(unsigned char c) { return c <= 0x20 || c == 0x7F || c == '%'; }

int hex_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

std::string encode_field(std::string_view text) {
  std::string word;
  word.reserve(text.size());
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (needs_escape(byte)) {
      word.push_back('%');
      word.push_back(kHex[byte >> 4]);
      word.push_back(kHex[byte & 0x0F]);
    } else {
      word.push_back(c);
    }
  }
  return word;
}

std::string decode_field(std::string_view word) {
  std::string text;
  text.reserve(word.size());
  for (std::size_t i = 0; i < word.size(); ++i) {
    if (word[i] == '%' && i + 2 < word.size() && hex_value(word[i + 1]) >= 0 &&
        hex_value(word[i + 2]) >= 0) {
      text.push_back(static_cast<char>(hex_value(word[i + 1]) * 16 + hex_value(word[i + 2])));
      i += 2;
    } else {
      text.push_back(word[i]);
    }
  }
  return text;
}

}  // namespace quadmine
