#include "formats/json_text.h"

#include <cstdio>

namespace quadmine {

namespace {

bool is_continuation(unsigned char byte) { return byte >= 0x80 && byte <= 0xBF; }

void append_unicode_escape(std::string& out, unsigned char byte) {
  char escaped[8];
  std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(byte));
  out += escaped;
}

}  // namespace

std::size_t utf8_sequence_length(std::string_view text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  if (lead < 0x80) return 1;
  // The length of the sequence and the range of its second byte, which rules
  // out overlong forms, surrogates and code points above U+10FFFF.
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;
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
  if (text.size() - at < length) return 0;
  const auto second = static_cast<unsigned char>(text[at + 1]);
  if (second < low || second > high) return 0;
  for (std::size_t k = 2; k < length; ++k) {
    if (!is_continuation(static_cast<unsigned char>(text[at + k]))) return 0;
  }
  return length;
}

void append_json_string(std::string& out, std::string_view text) {
  out.push_back('"');
  for (std::size_t i = 0; i < text.size();) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte == '"' || byte == '\\') {
      out.push_back('\\');
      out.push_back(text[i++]);
    } else if (byte < 0x20) {
      append_unicode_escape(out, byte);
      ++i;
    } else if (const std::size_t length = utf8_sequence_length(text, i); length > 0) {
      out.append(text.substr(i, length));
      i += length;
    } else {
      append_unicode_escape(out, byte);  // its ISO-8859-1 reading
      ++i;
    }
  }
  out.push_back('"');
}

std::string json_string(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 2);
  append_json_string(out, text);
  return out;
}

}  // namespace quadmine
