#include "text/line_reader.h"

#include <sys/types.h>

#include <cstdlib>
#include <new>

namespace quadmine {

TextLineReader::~TextLineReader() { std::free(buffer_); }

bool TextLineReader::next(std::FILE* stream, std::string_view& line) {
  const ssize_t n = getline(&buffer_, &capacity_, stream);
  if (n < 0) {
    // getline reports a failed allocation like the end of the stream, but
    // sets neither indicator: it must not pass for the end of the base.
    if (!std::feof(stream) && !std::ferror(stream)) throw std::bad_alloc();
    return false;
  }
  line = std::string_view(buffer_, static_cast<std::size_t>(n));
  return true;
}

}  // namespace quadmine
