#include "prepare/record.h"

#include <utility>

namespace quadmine {

void Record::clear(long line) {
  text_.clear();
  ends_.clear();
  line_ = line;
  problem_line_ = 0;
  problem_.clear();
}

void Record::fail(long line, std::string why) {
  if (bad()) return;
  problem_line_ = line;
  problem_ = std::move(why);
}

}  // namespace quadmine
