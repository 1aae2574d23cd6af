#include "formats/code_dictionary.h"

#include <cstdint>
#include <string_view>
#include <utility>

#include "formats/dictionary_line.h"
#include "formats/field_text.h"
#include "text/line_reader.h"
#include "text/scanner.h"

namespace quadmine {

void CodeTexts::add(int code, std::string text) {
  const auto fresh = static_cast<std::uint32_t>(texts_.size());
  if (number_of_.emplace(code, fresh) == fresh) texts_.push_back(std::move(text));
}

const std::string* CodeTexts::find(int code) const {
  const std::uint32_t number = number_of_.find(code);
  return number == FlatIntMap::kAbsent ? nullptr : &texts_[number];
}

bool write_code_dictionary(std::FILE* out, DictionaryKind kind,
                           const std::vector<std::string>& texts) {
  int code = 0;
  for (const std::string& text : texts) {
    ++code;
    const std::string word = encode_field(text);
    if (kind == DictionaryKind::Tag) {
      std::fprintf(out, "%s 0 %d 0 -\n", word.c_str(), code);
    } else {
      std::fprintf(out, "- 0 0 %d %s\n", code, word.c_str());
    }
  }
  return std::ferror(out) == 0;
}

long read_code_dictionary(std::FILE* in, DictionaryKind kind, CodeTexts& out) {
  TextLineReader reader;
  std::string_view line;
  long number = 0;
  while (reader.next(in, line)) {
    ++number;
    if (TextScanner(line).only_space_left()) continue;
    DictionaryLine fields;
    if (!parse_dictionary_line(line, fields)) return number;
    if (kind == DictionaryKind::Tag) {
      out.add(fields.tag_code, decode_field(fields.tag));
    } else {
      out.add(fields.url_code, decode_field(fields.url));
    }
  }
  return 0;
}

}  // namespace quadmine
