// Files that appear whole or not at all.
#pragma once

#include <cstdio>
#include <string>

namespace quadmine {

// A file written under a temporary name in the directory of its final path,
// then renamed over that path by commit(), so that the path holds either its
// earlier content or the whole new content, never a part.
class AtomicFile {
 public:
  // Creates the temporary file; ok() tells whether it could.
  explicit AtomicFile(std::string path);
  // Removes the temporary file unless commit() succeeded.
  ~AtomicFile();
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  bool ok() const { return stream_ != nullptr; }
  // Where to write.
  std::FILE* stream() const { return stream_; }
  // The final path.
  const std::string& path() const { return path_; }
  // Flushes and checks every write, gives the file the permissions of a newly
  // created file (0666 less the umask), closes it and renames it over path();
  // false when any of that fails.
  bool commit();
  // The errno of the first failure.
  int error() const { return error_; }

 private:
  std::string path_;
  std::string temp_path_;
  std::FILE* stream_ = nullptr;
  bool committed_ = false;
  int error_ = 0;
};

}  // namespace quadmine
