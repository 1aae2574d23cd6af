#include "text/line_reader.h"

#include <sys/types.h>

#include <cstdlib>

TextLineReader::~TextLineReader() { std::free(buffer_); }

bool TextLineReader::next(std::FILE* stream, std::string_view& line) {
  const ssize_t n = getline(&buffer_, &capacity_, stream);
  if (n < 0) return false;
  line = std::string_view(buffer_, static_cast<std::size_t>(n));
  return true;
}
