#include "tools/dictionaries.h"

#include <string_view>

#include "formats/dictionary_line.h"
#include "text/line_reader.h"

std::FILE* fpp = nullptr;
std::FILE* fpp2 = nullptr;

namespace quadmine {
namespace {

// Reads `stream` from where it stands and returns true at the first line
// that parses and satisfies `matches`, with its fields in `found`; the views
// in `found` point into `reader`'s buffer.
template <typename Predicate>
bool find_line(TextLineReader& reader, std::FILE* stream, const Predicate& matches,
               DictionaryLine& found) {
  std::string_view line;
  DictionaryLine fields;
  while (reader.next(stream, line)) {
    if (parse_dictionary_line(line, fields) && matches(fields)) {
      found = fields;
      return true;
    }
  }
  return false;
}

}  // namespace
}  // namespace quadmine

using namespace quadmine;  // NOLINT: the helpers above and the shared tools

std::string avoir_letag_a_partir_du_code(int code) {
  if (fpp2 == nullptr) return std::string();
  std::rewind(fpp2);
  TextLineReader reader;
  DictionaryLine found;
  const auto same_code = [code](const DictionaryLine& l) { return l.tag_code == code; };
  return find_line(reader, fpp2, same_code, found) ? std::string(found.tag) : std::string();
}

int avoir_lecode_a_partir_du_tag(const char* tag) {
  if (fpp2 == nullptr || tag == nullptr) return -1;
  std::rewind(fpp2);
  const std::string_view wanted(tag);
  TextLineReader reader;
  DictionaryLine found;
  const auto same_tag = [wanted](const DictionaryLine& l) { return l.tag == wanted; };
  return find_line(reader, fpp2, same_tag, found) ? found.tag_code : -1;
}

std::string avoir_lurl_a_partir_du_code(int code) {
  if (fpp != nullptr) {
    // Start again from the top only once the previous lookups ran to the end.
    if (std::feof(fpp) || std::ferror(fpp)) std::rewind(fpp);
    TextLineReader reader;
    DictionaryLine found;
    const auto same_code = [code](const DictionaryLine& l) { return l.url_code == code; };
    if (find_line(reader, fpp, same_code, found)) return std::string(found.url);
  }
  std::printf("no   %d", code);
  return "tamul";
}
