#include "formats/dictionary_line.h"

#include "text/scanner.h"

namespace quadmine {

bool parse_dictionary_line(std::string_view line, DictionaryLine& out) {
  if (line.find('\0') != std::string_view::npos) return false;
  TextScanner scan(line);
  DictionaryLine fields;
  if (!scan.word(fields.tag) || !scan.number(fields.number) || !scan.number(fields.tag_code) ||
      !scan.number(fields.url_code) || !scan.word(fields.url)) {
    return false;
  }
  out = fields;
  return true;
}

}  // namespace quadmine
