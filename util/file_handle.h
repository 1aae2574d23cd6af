// An owned stdio stream, closed when its handle goes.
#pragma once

#include <cstdio>
#include <memory>

namespace quadmine {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

}  // namespace quadmine
