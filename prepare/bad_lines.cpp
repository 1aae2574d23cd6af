#include "prepare/bad_lines.h"

namespace quadmine {

Status BadLines::take(const std::string& file, long line, const std::string& why) {
  Status status = line_error(file, line, why);
  if (!skip_) return status;
  ++count_;
  if (named_.size() < kNamed) named_.push_back(status.message());
  return {};
}

}  // namespace quadmine
