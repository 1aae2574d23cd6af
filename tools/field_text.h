// Texts stored as one word in a dictionary line (dictionary_line.h).
//
// encode_field(text) writes every byte that would break the word -- white
// space, other control bytes (below 0x20), DEL (0x7F) and '%' itself -- as '%'
// followed by two upper-case hexadecimal digits, and every other byte as it
// is (so UTF-8 texts stay readable). A non-empty text gives a non-empty word.
//
// decode_field(word) reverses it. A '%' that is not followed by two
// hexadecimal digits is kept as it is, so any word decodes to something.
#pragma once

#include <string>
#include <string_view>

std::string encode_field(std::string_view text);
std::string decode_field(std::string_view word);
