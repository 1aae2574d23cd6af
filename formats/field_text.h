// Texts stored as one word in a dictionary line (dictionary_line.h).
#pragma once

#include <string>
#include <string_view>

namespace quadmine {

// Writes every byte of `text` that would break the word -- white space, other
// control bytes (below 0x20), DEL (0x7F) and '%' itself -- as '%' followed by
// two upper-case hexadecimal digits, and every other byte as it is (so UTF-8
// texts stay readable). A non-empty text gives a non-empty word.
std::string encode_field(std::string_view text);

// Reverses encode_field. A '%' that is not followed by two hexadecimal digits
// is kept as it is, so any word decodes to something.
std::string decode_field(std::string_view word);

}  // namespace quadmine
