// Code dictionaries written beside a prepared base and read back by the
// commands that print texts instead of codes. Each line has the five fields
// of dictionary_line.h; the texts are encoded with encode_field:
//
//   DictionaryKind::Tag       "<text> 0 <code> 0 -"   (tag lookup: field 3 -> field 1)
//   DictionaryKind::Resource  "- 0 0 <code> <text>"   (URL lookup: field 4 -> field 5)
//
// Field 2 and the fields of the other lookup hold 0 and "-". A code is any
// int: 1, 2, ... for a coded column, the identifier itself for a column of
// integers given names; which field holds the code depends on the kind, so
// the 0 of the other lookup's field is never read as one.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "util/status.h"

namespace quadmine {

enum class DictionaryKind { Tag, Resource };

// Writes the line of `code` and `text` (non-empty). A failed write shows in
// the stream's error indicator, which the caller checks (AtomicFiles::commit
// does).
void write_code_dictionary_line(std::FILE* out, DictionaryKind kind, int code,
                                std::string_view text);

using CodeTexts = std::unordered_map<int, std::string>;

// Reads every line of `in` (named `name` in messages; blank lines skipped)
// into code -> decoded text; the first line of a code wins. Fails with
// "NAME:LINE: not a dictionary line" at the first line that does not hold the
// five fields, or "NAME:LINE: read error".
Result<CodeTexts> read_code_dictionary(std::FILE* in, const std::string& name, DictionaryKind kind);

}  // namespace quadmine
