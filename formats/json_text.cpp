#include "formats/json_text.h"

#include <cstdio>

#include "text/utf8.h"

namespace quadmine {

namespace {

void append_unicode_escape(std::string& out, unsigned char byte) {
  char escaped[8];
  std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(byte));
  out += escaped;
}

}  // namespace

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
