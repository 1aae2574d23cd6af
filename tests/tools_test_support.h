// Helpers for the tests of the data tools and the evaluations: whole-file
// reading and writing, a scratch working directory, and capture of what a
// call prints on standard output.
#pragma once

#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

namespace tools_test {

inline void write_file(const std::string& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << content;
  if (!out) throw std::runtime_error("cannot write " + path);
}

inline std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A fresh temporary directory, the working directory while the object lives.
class ScratchDir {
 public:
  ScratchDir() : previous_(std::filesystem::current_path()) {
    std::string templ = (std::filesystem::temp_directory_path() / "quadmine-tools-XXXXXX").string();
    if (mkdtemp(templ.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = templ;
    std::filesystem::current_path(path_);
  }
  ~ScratchDir() {
    std::error_code ec;
    std::filesystem::current_path(previous_, ec);
    std::filesystem::remove_all(path_, ec);
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

 private:
  std::filesystem::path previous_, path_;
};

// Runs `body` with standard output sent to a temporary file and returns what
// it printed.
template <class Body>
std::string capture_stdout(Body body) {
  std::FILE* sink = std::tmpfile();
  std::fflush(stdout);
  const int saved = dup(STDOUT_FILENO);
  if (sink == nullptr || saved < 0 || dup2(fileno(sink), STDOUT_FILENO) < 0) {
    throw std::runtime_error("cannot redirect standard output");
  }
  body();
  std::fflush(stdout);
  dup2(saved, STDOUT_FILENO);
  close(saved);
  std::string out;
  std::rewind(sink);
  for (int c; (c = std::fgetc(sink)) != EOF;) out.push_back(static_cast<char>(c));
  std::fclose(sink);
  return out;
}

}  // namespace tools_test
