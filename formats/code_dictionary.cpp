#include "formats/code_dictionary.h"

#include <string_view>

#include "formats/dictionary_line.h"
#include "formats/field_text.h"
#include "text/line_reader.h"
#include "text/scanner.h"

namespace quadmine {

void write_code_dictionary_line(std::FILE* out, DictionaryKind kind, int code,
                                std::string_view text) {
  const std::string word = encode_field(text);
  if (kind == DictionaryKind::Tag) {
    std::fprintf(out, "%s 0 %d 0 -\n", word.c_str(), code);
  } else {
    std::fprintf(out, "- 0 0 %d %s\n", code, word.c_str());
  }
}

Result<CodeTexts> read_code_dictionary(std::FILE* in, const std::string& name,
                                       DictionaryKind kind) {
  TextLineReader reader;
  std::string_view line;
  CodeTexts texts;
  long number = 0;
  while (reader.next(in, line)) {
    ++number;
    if (TextScanner(line).only_space_left()) continue;
    DictionaryLine fields;
    if (!parse_dictionary_line(line, fields))
      return line_error(name, number, "not a dictionary line");
    if (kind == DictionaryKind::Tag) {
      texts.try_emplace(fields.tag_code, decode_field(fields.tag));
    } else {
      texts.try_emplace(fields.url_code, decode_field(fields.url));
    }
  }
  if (std::ferror(in) != 0) return line_error(name, number + 1, "read error");
  return texts;
}

}  // namespace quadmine
