#include "util/standard_output.h"

#include <cerrno>
#include <cstring>
#include <string>

namespace quadmine {

Status write_failure() {
  const int error = errno;
  return Status::error(std::string("cannot write to standard output") +
                       (error != 0 ? std::string(": ") + std::strerror(error) : ""));
}

Status output_status(std::FILE* out) { return std::ferror(out) == 0 ? Status() : write_failure(); }

}  // namespace quadmine
