// Helpers for the tests of the data tools: a scratch directory that is also
// the working directory for the test's lifetime, whole-file reading and
// writing, and capture of what a call prints on standard output.
#pragma once

#include <fcntl.h>
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
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline bool file_exists(const std::string& path) { return std::filesystem::exists(path); }

// Creates a fresh temporary directory and makes it the working directory;
// the destructor goes back to the previous working directory and removes it.
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

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path previous_;
  std::filesystem::path path_;
};

// Redirects standard output to a temporary file from construction until
// take() (or destruction), which restores it.
class StdoutCapture {
 public:
  StdoutCapture() {
    std::fflush(stdout);
    sink_ = std::tmpfile();
    saved_ = dup(STDOUT_FILENO);
    if (sink_ == nullptr || saved_ < 0 || dup2(fileno(sink_), STDOUT_FILENO) < 0) {
      throw std::runtime_error("cannot redirect standard output");
    }
  }
  ~StdoutCapture() {
    restore();
    if (sink_ != nullptr) std::fclose(sink_);
  }
  StdoutCapture(const StdoutCapture&) = delete;
  StdoutCapture& operator=(const StdoutCapture&) = delete;

  // Restores standard output and returns everything written meanwhile.
  std::string take() {
    restore();
    std::string text;
    std::rewind(sink_);
    for (int c; (c = std::fgetc(sink_)) != EOF;) text.push_back(static_cast<char>(c));
    return text;
  }

 private:
  void restore() {
    if (saved_ < 0) return;
    std::fflush(stdout);
    dup2(saved_, STDOUT_FILENO);
    close(saved_);
    saved_ = -1;
  }

  std::FILE* sink_ = nullptr;
  int saved_ = -1;
};

}  // namespace tools_test
