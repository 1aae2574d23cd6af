#include "formats/code_dictionary.h"

#include <string_view>

#include "formats/dictionary_line.h"
#include "formats/field_text.h"
#include "text/line_reader.h"
#include "text/scanner.h"

namespace quadmine {

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
      out.try_emplace(fields.tag_code, decode_field(fields.tag));
    } else {
      out.try_emplace(fields.url_code, decode_field(fields.url));
    }
  }
  return 0;
}

}  // namespace quadmine
