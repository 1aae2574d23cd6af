// JSON string literals that are valid UTF-8 whatever bytes the text holds.
//
// '"' and '\' get a backslash; control bytes (below 0x20) become \u00XX;
// well-formed UTF-8 sequences are copied as they are. Every other byte -- one
// that is not part of a well-formed sequence: a stray continuation byte, a
// truncated, overlong or surrogate sequence, or a byte such as E9 from a
// Latin-1 text -- is read as the ISO-8859-1 character of the same number and
// written as \u00XX (E9, the Latin-1 'é', gives \u00e9). Nothing is dropped,
// and a text that was Latin-1 comes out as the characters it meant.
#pragma once

#include <string>
#include <string_view>

namespace quadmine {

// Appends `text` to `out` as a JSON string, quotes included.
void append_json_string(std::string& out, std::string_view text);

// `text` as a JSON string, quotes included.
std::string json_string(std::string_view text);

// The length (1 to 4) of the well-formed UTF-8 sequence that starts at
// text[at], or 0 when none does.
std::size_t utf8_sequence_length(std::string_view text, std::size_t at);

}  // namespace quadmine
