// One record of a delimited file: its fields, the line where it starts, and
// what is wrong with it, if anything.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quadmine {

class Record {
 public:
  // Empties the record, which starts at line `line` (from 1). The storage is
  // kept for the next record.
  void clear(long line);

  std::size_t size() const { return ends_.size(); }
  // Field `i` (i < size()); valid until the record changes.
  std::string_view operator[](std::size_t i) const {
    const std::size_t begin = i == 0 ? 0 : ends_[i - 1];
    return std::string_view(text_).substr(begin, ends_[i] - begin);
  }

  long line() const { return line_; }

  // Whether something is wrong with the record, where (a line from 1) and why.
  bool bad() const { return !problem_.empty(); }
  long problem_line() const { return problem_line_; }
  const std::string& problem() const { return problem_; }
  // Records a problem; the first one recorded stays.
  void fail(long line, std::string why);

  // Building: appends to the current field, then ends it.
  void append(std::string_view text) { text_.append(text); }
  void append(char c) { text_.push_back(c); }
  void end_field() { ends_.push_back(text_.size()); }

 private:
  std::string text_;               // the fields, one after the other
  std::vector<std::size_t> ends_;  // where each field ends in text_
  long line_ = 0;
  long problem_line_ = 0;
  std::string problem_;
};

}  // namespace quadmine
