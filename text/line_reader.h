// TextLineReader: reads a stdio stream one whole line at a time, whatever the
// line's length. One buffer is reused from line to line and released when the
// reader is destroyed; the reader cannot be copied, and the stream is neither
// owned nor closed.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string_view>

namespace quadmine {

class TextLineReader {
 public:
  TextLineReader() = default;
  ~TextLineReader();
  TextLineReader(const TextLineReader&) = delete;
  TextLineReader& operator=(const TextLineReader&) = delete;

  // Gives the next line of `stream`, its '\n' included when it has one, and
  // returns true; returns false at the end of the stream or on a read error
  // (tell them apart with feof/ferror); throws std::bad_alloc when the buffer
  // cannot grow. `line` stays valid until the next call or the reader's
  // destruction.
  bool next(std::FILE* stream, std::string_view& line);

 private:
  char* buffer_ = nullptr;
  std::size_t capacity_ = 0;
};

}  // namespace quadmine
