// Code dictionaries written beside a prepared base and read back by the
// commands that print texts instead of codes. Each line has the five fields
// of dictionary_line.h; the texts are encoded with encode_field:
//
//   DictionaryKind::Tag       "<text> 0 <code> 0 -"   (tag lookup: field 3 -> field 1)
//   DictionaryKind::Resource  "- 0 0 <code> <text>"   (URL lookup: field 4 -> field 5)
//
// Field 2 and the fields of the other lookup hold 0 and "-"; codes start at 1,
// so they never match a code.
#pragma once

#include <cstdio>
#include <string>
#include <unordered_map>
#include <vector>

namespace quadmine {

enum class DictionaryKind { Tag, Resource };

// Writes one line per text, texts[i] under code i + 1, each text non-empty.
// Returns false when a write fails.
bool write_code_dictionary(std::FILE* out, DictionaryKind kind,
                           const std::vector<std::string>& texts);

using CodeTexts = std::unordered_map<int, std::string>;

// Reads every line of `in` (blank lines skipped) into code -> decoded text;
// the first line of a code wins. Returns 0 on success, or the number of the
// first line (from 1) that does not hold the five fields.
long read_code_dictionary(std::FILE* in, DictionaryKind kind, CodeTexts& out);

}  // namespace quadmine
