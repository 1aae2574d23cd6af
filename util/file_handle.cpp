#include "util/file_handle.h"

#include <cerrno>
#include <cstring>

namespace quadmine {

namespace {

Status cannot_open(const std::string& path, int error) {
  return Status::error("cannot open " + path + ": " + std::strerror(error));
}

}  // namespace

Result<FileHandle> open_for_reading(const std::string& path) {
  FileHandle file(std::fopen(path.c_str(), "r"));
  if (!file) return cannot_open(path, errno);
  errno = 0;
  const int c = std::getc(file.get());
  if (c == EOF && std::ferror(file.get())) return cannot_open(path, errno != 0 ? errno : EIO);
  if (c != EOF) {
    std::ungetc(c, file.get());
  } else {
    std::rewind(file.get());  // an empty file: clear the end-of-file indicator
  }
  return file;
}

}  // namespace quadmine
