#include "util/file_identity.h"

#include <sys/stat.h>

namespace quadmine {

namespace {

FileIdentity identity(const struct stat& st) { return FileIdentity{st.st_dev, st.st_ino}; }

}  // namespace

std::optional<FileIdentity> identity_of_path(const std::string& path) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0) return std::nullopt;
  return identity(st);
}

std::optional<FileIdentity> identity_of_descriptor(int fd) {
  struct stat st;
  if (fstat(fd, &st) != 0) return std::nullopt;
  return identity(st);
}

FilePlace place_of(const std::string& path) {
  FilePlace place;
  place.file = identity_of_path(path);
  if (place.file) return place;
  const std::size_t slash = path.find_last_of('/');
  const std::string directory = slash == std::string::npos ? "."
                                : slash == 0               ? "/"
                                                           : path.substr(0, slash);
  place.directory = identity_of_path(directory);
  place.name = slash == std::string::npos ? path : path.substr(slash + 1);
  return place;
}

bool same_place(const std::string& a, const std::string& b) {
  const FilePlace pa = place_of(a);
  if (pa.file == std::nullopt && pa.directory == std::nullopt) return a == b;
  return pa == place_of(b);
}

bool is_regular_file(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace quadmine
