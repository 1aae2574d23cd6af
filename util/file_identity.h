// Whether two names lead to the same file, so that a command can refuse to
// write over one of its own inputs before it writes anything.
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>

namespace quadmine {

// A file as the system knows it: its device and inode.
struct FileIdentity {
  dev_t device = 0;
  ino_t inode = 0;
  bool operator==(const FileIdentity&) const = default;
};

// The file `path` leads to, symbolic links followed; nullopt when there is
// none (or it cannot be looked at).
std::optional<FileIdentity> identity_of_path(const std::string& path);

// The file open on the descriptor `fd`; nullopt when it is not open.
std::optional<FileIdentity> identity_of_descriptor(int fd);

// Where `path` is or would be: the file it leads to when it exists, otherwise
// its directory's identity and its last component, so that "x", "./x" and
// "d/../x" that do not exist yet still compare equal.
struct FilePlace {
  std::optional<FileIdentity> file;
  std::optional<FileIdentity> directory;  // set only when `file` is not
  std::string name;                       // the last component, when `file` is not
  bool operator==(const FilePlace&) const = default;
};
FilePlace place_of(const std::string& path);

// Whether `a` and `b` are one file, or would be once created.
bool same_place(const std::string& a, const std::string& b);

// Whether `path` exists and, symbolic links followed, is a regular file.
bool is_regular_file(const std::string& path);

}  // namespace quadmine
