// Splitting the lines of a delimited file into the fields of its records.
#pragma once

#include <string_view>

#include "prepare/record.h"
#include "prepare/text_format.h"

namespace quadmine {

// Splits physical lines into records. With a one-byte separator, every
// separator ends a field (a line "a,b," has three fields, the last empty);
// with blank runs, runs of blanks and tabs separate and leading and trailing
// ones are ignored. Blanks and tabs around a field are dropped (but not the
// separator itself, when it is one of them).
//
// With Quoting::Rfc4180, a field whose first byte (after blanks) is '"' is
// quoted: it runs to the next lone '"', "" inside standing for one '"', and
// may hold separators and line breaks (the record then goes on in the next
// line, and the field holds the line end as the file has it). Only blanks may
// follow the closing quote before the separator; other text there is a
// problem of the record. A '"' inside an unquoted field is an ordinary byte,
// as is every '"' with Quoting::None.
class RecordSplitter {
 public:
  RecordSplitter(Separator separator, Quoting quoting);

  // Adds the physical line `number` (from 1) of `record`, given without its
  // line end `eol`. Returns true when the record is complete, false when a
  // quoted field goes on in the next line.
  bool add_line(std::string_view line, std::string_view eol, long number, Record& record);

  // Whether the record being split is inside a quoted field.
  bool in_quote() const { return in_quote_; }
  // Forgets an unfinished record.
  void reset() { in_quote_ = false; }

 private:
  std::size_t field(std::string_view line, std::size_t pos, std::string_view eol, Record& record);
  std::size_t quoted(std::string_view line, std::size_t pos, std::string_view eol, Record& record);
  std::size_t after_quote(std::string_view line, std::size_t pos, Record& record);
  std::size_t skip_blanks(std::string_view line, std::size_t pos) const;
  bool trimmed(char c) const;

  Separator separator_;
  bool quotes_;
  bool in_quote_ = false;
  long number_ = 0;  // the line being split
};

}  // namespace quadmine
