// What happens to the bad lines of the files a preparation reads: the first
// one ends the run, or, with --skip-bad, each is skipped and counted.
#pragma once

#include <string>
#include <vector>

#include "util/status.h"

namespace quadmine {

class BadLines {
 public:
  // How many skipped lines are named one by one.
  static constexpr std::size_t kNamed = 5;

  explicit BadLines(bool skip) : skip_(skip) {}

  // A bad line `line` of the file `file`: fails with "FILE:LINE: WHY" unless
  // bad lines are skipped; then counts it and keeps that message among the
  // first kNamed.
  Status take(const std::string& file, long line, const std::string& why);

  long count() const { return count_; }
  // "FILE:LINE: WHY" of the first kNamed lines skipped.
  const std::vector<std::string>& named() const { return named_; }

 private:
  bool skip_;
  long count_ = 0;
  std::vector<std::string> named_;
};

}  // namespace quadmine
