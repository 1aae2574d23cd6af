// An owned stdio stream, closed when its handle goes, and the opening of an
// input file.
#pragma once

#include <cstdio>
#include <memory>
#include <string>

#include "util/status.h"

namespace quadmine {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// Opens `path` for reading and makes sure it can actually be read (a
// directory opens for reading on Linux but fails at the first read); the
// stream stands at the start. Fails with "cannot open PATH: REASON".
Result<FileHandle> open_for_reading(const std::string& path);

}  // namespace quadmine
