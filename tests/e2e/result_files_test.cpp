// End-to-end: a run that fails or is stopped before its result files are whole
// leaves those of an earlier run as they were, and no temporary file.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "run_support.h"

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;  // ASan reserves terabytes of address space
#else
constexpr bool kSanitized = false;
#endif

const std::string kEarlier[2] = {"\nU = {1, },  T = {3, },  R = {4, },  D = {5, }", "1 5\n"};
const char* const kResults[2] = {"quadri_concepts.txt", "users_only.txt"};

// Distinct lines over small domains, sorted by resource, D, tag: some 100 ms
// of mining, then a report of some 1 MB (fewer lines for the slower
// sanitized build).
std::string larger_base() {
  std::set<std::array<int, 4>> lines;  // resource, D, tag, user
  unsigned x = 12345;
  const auto next = [&x](unsigned n) {
    return static_cast<int>(((x = x * 1103515245u + 12345u) >> 8) % n);
  };
  while (lines.size() < (kSanitized ? 3000u : 12000u))
    lines.insert({next(240), next(3), next(10), next(48)});
  std::string text;
  for (const auto& [r, d, t, u] : lines) {
    for (const int v : {u, t, r, d}) text += std::to_string(v) + ' ';
    text += '\n';
  }
  return text;
}

std::size_t entries(const std::string& dir) {
  const std::filesystem::directory_iterator all(dir);
  return static_cast<std::size_t>(std::distance(begin(all), end(all)));
}

void limit_file_size() {
  signal(SIGXFSZ, SIG_IGN);
  const rlimit limit = {4096, 4096};
  setrlimit(RLIMIT_FSIZE, &limit);
}
void limit_address_space() {
  const rlimit limit = {16 << 20, 16 << 20};
  setrlimit(RLIMIT_AS, &limit);
}
void as_nobody() {  // the directory is read-only, but not to root
  if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(126);
}

class EarlierResults : public ::testing::Test {
 protected:
  void SetUp() override {
    write_file(dir_.file("base.txt"), larger_base());
    for (int k = 0; k < 2; ++k) write_file(dir_.file(kResults[k]), kEarlier[k]);
  }
  void expect_untouched() const {
    for (int k = 0; k < 2; ++k) EXPECT_EQ(read_file(dir_.file(kResults[k])), kEarlier[k]);
    EXPECT_EQ(entries(dir_.path()), 3u) << "a temporary file was left";
  }
  TempDir dir_;
};

TEST_F(EarlierResults, StayWhenTheRunFails) {
  const struct {
    void (*before_exec)();
    const char* out;
  } cases[] = {
      {limit_file_size, "\nERROR : Impossible d'ecrire le fichier quadri_concepts.txt...\n"},
      {as_nobody, "\nERROR : Impossible de creer le fichier quadri_concepts.txt...\n"},
      {limit_address_space, "\nERROR : Memoire insuffisante...\n"},
  };
  for (const auto& c : cases) {
    if (c.before_exec == limit_address_space && kSanitized) continue;
    chmod(dir_.path().c_str(), c.before_exec == as_nobody ? 0555 : 0755);
    const RunResult r = run_quadmine(dir_.path(), {"base.txt", "1", "1", "1", "1"}, c.before_exec);
    chmod(dir_.path().c_str(), 0755);
    EXPECT_EQ(r.exit_status, 1) << c.out;
    EXPECT_EQ(r.out, c.out);
    expect_untouched();
  }
}

TEST_F(EarlierResults, StayWhenTheRunIsStopped) {
  for (const bool in_report : {false, true}) {
    for (const int sig : {SIGINT, SIGTERM}) {
      SCOPED_TRACE(std::to_string(sig) + (in_report ? " in the report" : " in mining"));
      const pid_t pid = fork();
      if (pid == 0) {
        dup2(open("/dev/null", O_WRONLY), STDOUT_FILENO);
        if (chdir(dir_.path().c_str()) == 0)
          execl(QUADMINE_BIN, "quadmine", "base.txt", "1", "1", "1", "1", nullptr);
        _exit(127);
      }
      int status = 0;
      bool ended = false;  // before the signal: the test cannot tell anything
      if (in_report) {     // as soon as the temporary files appear
        while (entries(dir_.path()) == 3 && !(ended = waitpid(pid, &status, WNOHANG) == pid)) {
          std::this_thread::yield();
        }
      } else {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
      }
      if (!ended) kill(pid, sig);
      if (!ended) waitpid(pid, &status, 0);
      ASSERT_TRUE(WIFSIGNALED(status)) << "the run ended before the signal";
      EXPECT_EQ(WTERMSIG(status), sig);
      expect_untouched();
    }
  }
}

}  // namespace
