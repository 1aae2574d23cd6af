// AtomicFile: a file written under a temporary name in the directory of its
// final path, then renamed over that path by commit(), so that the path holds
// either its earlier content or the whole new content, never a part.
//
// The constructor creates the temporary file (ok() tells whether it could);
// stream() is where to write. commit() flushes and checks every write, gives
// the file the permissions of a newly created file (0666 less the umask),
// closes it and renames it; it returns false when any of that fails. The
// destructor removes the temporary file unless commit() succeeded. error()
// is the errno of the first failure.
#pragma once

#include <cstdio>
#include <string>

class AtomicFile {
 public:
  explicit AtomicFile(std::string path);
  ~AtomicFile();
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  bool ok() const { return stream_ != nullptr; }
  std::FILE* stream() const { return stream_; }
  const std::string& path() const { return path_; }
  bool commit();
  int error() const { return error_; }

 private:
  std::string path_;
  std::string temp_path_;
  std::FILE* stream_ = nullptr;
  bool committed_ = false;
  int error_ = 0;
};
