// UTF-8 checks and the conversion of Latin-1 text, for the text files the
// commands read: whatever they copy into their own files is valid UTF-8.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quadmine {

// The offset of the first byte of `text` that does not belong to a well-formed
// UTF-8 sequence (no overlong forms, no surrogates, nothing above U+10FFFF, no
// sequence cut short), or std::string_view::npos when the whole text is valid.
std::size_t invalid_utf8_at(std::string_view text);

// Appends `text`, read as ISO-8859-1 (every byte one character), to `out` as
// UTF-8: bytes below 0x80 as they are, the others as two bytes.
void append_latin1_as_utf8(std::string_view text, std::string& out);

}  // namespace quadmine
