#include "prepare/atomic_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <utility>
#include <vector>

namespace quadmine {

AtomicFile::AtomicFile(std::string path) : path_(std::move(path)) {
  std::vector<char> name(path_.begin(), path_.end());
  const std::string suffix = ".tmp-XXXXXX";
  name.insert(name.end(), suffix.begin(), suffix.end());
  name.push_back('\0');
  const int fd = mkstemp(name.data());
  if (fd < 0) {
    error_ = errno;
    return;
  }
  temp_path_ = name.data();
  stream_ = fdopen(fd, "w");
  if (stream_ == nullptr) {
    error_ = errno;
    close(fd);
    unlink(temp_path_.c_str());
    temp_path_.clear();
  }
}

AtomicFile::~AtomicFile() {
  if (stream_ != nullptr) std::fclose(stream_);
  if (!committed_ && !temp_path_.empty()) unlink(temp_path_.c_str());
}

bool AtomicFile::commit() {
  if (stream_ == nullptr) return false;
  const mode_t mask = umask(0);
  umask(mask);
  errno = 0;
  bool good = std::fflush(stream_) == 0 && std::ferror(stream_) == 0 &&
              fchmod(fileno(stream_), 0666 & ~mask) == 0;
  good = std::fclose(stream_) == 0 && good;
  stream_ = nullptr;
  if (!good || std::rename(temp_path_.c_str(), path_.c_str()) != 0) {
    error_ = errno != 0 ? errno : EIO;
    return false;
  }
  committed_ = true;
  return true;
}

}  // namespace quadmine
