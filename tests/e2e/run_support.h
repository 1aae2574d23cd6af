// Helpers for the end-to-end tests: a temporary working directory, running the
// real quadmine binary in it, and reading back what it wrote.
#pragma once

#include <string>
#include <vector>

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

struct RunResult {
  int exit_status = -1;  // -1 when the process did not exit normally
  std::string out;       // everything written on standard output
  std::string err;       // everything written on standard error (a file, not a terminal)
};

// Runs quadmine with `args` (program name excluded) in directory `cwd`.
// `before_exec` runs in the child just before exec (limits, signals).
RunResult run_quadmine(const std::string& cwd, const std::vector<std::string>& args,
                       void (*before_exec)() = nullptr);

std::string read_file(const std::string& path);
void write_file(const std::string& path, const std::string& content);
bool file_exists(const std::string& path);

// Replaces the number after each "Average Time = " with "<t>".
std::string mask_times(const std::string& out);

// The usage text printed after every command-line error.
extern const char* const kUsage;
