// Reading the records of a delimited text file (the raw events, a names file)
// one after the other, whatever the lengths of its lines.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

#include "prepare/record.h"
#include "prepare/record_splitter.h"
#include "prepare/text_format.h"
#include "text/line_reader.h"

namespace quadmine {

// Reads `in` (named `name` in messages; neither owned nor closed). Lines end
// with LF or CRLF; a UTF-8 byte order mark before the first line is skipped;
// lines of nothing but blanks and tabs between records are skipped. The
// separator and quoting are those of the format, or settled from the first
// non-blank line (text_format.h). Every line is checked to be UTF-8, or
// converted from Latin-1 to UTF-8, as the format says.
class DelimitedReader {
 public:
  DelimitedReader(std::FILE* in, std::string name, const InputFormat& format);

  // The next record into `record`; false at the end of the file. A record
  // with a problem (bytes that are not UTF-8, text after a closing quote, a
  // quote still open at the end of the file) is given too, bad(), so that the
  // caller can skip it; the reading goes on after it.
  bool next(Record& record);

  // After next() returned false: whether it was a read error rather than
  // the end of the file.
  bool read_failed() const { return std::ferror(in_) != 0; }
  // The lines read so far.
  long lines() const { return lines_; }

  const std::string& name() const { return name_; }
  // The separator, once the first record was read.
  Separator separator() const { return splitter_ ? separator_ : Separator{}; }
  // The bytes read so far, for progress.
  std::uint64_t bytes_read() const { return bytes_; }

 private:
  bool read_line(std::string_view& content, std::string_view& eol);
  std::size_t decode(std::string_view& line);
  void settle(std::string_view first_line);

  std::FILE* in_;
  std::string name_;
  InputFormat format_;
  TextLineReader lines_reader_;
  std::string converted_;  // a line converted from Latin-1
  std::optional<RecordSplitter> splitter_;
  Separator separator_;
  long lines_ = 0;
  std::uint64_t bytes_ = 0;
};

}  // namespace quadmine
