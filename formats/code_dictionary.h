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

#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

#include "index/flat_int_map.h"

namespace quadmine {

enum class DictionaryKind { Tag, Resource };

// Writes one line per text, texts[i] under code i + 1, each text non-empty.
// Returns false when a write fails.
bool write_code_dictionary(std::FILE* out, DictionaryKind kind,
                           const std::vector<std::string>& texts);

// Code -> text, as read from a dictionary.
class CodeTexts {
 public:
  // Stores `text` under `code` unless the code has a text already.
  void add(int code, std::string text);
  // The text of `code`, or null.
  const std::string* find(int code) const;
  std::size_t size() const { return texts_.size(); }
  bool empty() const { return texts_.empty(); }

 private:
  FlatIntMap number_of_;  // code -> position of its text in texts_
  std::vector<std::string> texts_;
};

// Reads every line of `in` (blank lines skipped) into code -> decoded text;
// the first line of a code wins. Returns 0 on success, or the number of the
// first line (from 1) that does not hold the five fields.
long read_code_dictionary(std::FILE* in, DictionaryKind kind, CodeTexts& out);

}  // namespace quadmine
