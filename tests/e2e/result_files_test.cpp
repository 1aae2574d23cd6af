// End-to-end: a run that fails or is stopped before its result files are whole
// leaves those of an earlier run as they were, and no temporary file.
#include <fcntl.h>
#include <gtest/gtest.h>
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

#include "support.h"

using namespace quadmine;  // NOLINT: the tests and benchmarks use the program's names

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

std::size_t entries() {
  const std::filesystem::directory_iterator all(".");
  return static_cast<std::size_t>(std::distance(begin(all), end(all)));
}

class EarlierResults : public ::testing::Test {
 protected:
  void SetUp() override {
    write_file("base.txt", larger_base());
    for (int k = 0; k < 2; ++k) write_file(kResults[k], kEarlier[k]);
  }
  void expect_untouched() const {
    for (int k = 0; k < 2; ++k) EXPECT_EQ(read_file(kResults[k]), kEarlier[k]);
    EXPECT_EQ(entries(), 3u) << "a temporary file was left";
  }
  const ScratchDir dir_;
};

TEST_F(EarlierResults, StayWhenTheRunFails) {
  // The shell words run before the program: a file-size limit, a read-only
  // directory (not read-only to root, so the run drops to nobody), and an
  // address-space limit (ASan reserves terabytes of it).
  const std::string nobody =
      geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups" : "";
  const struct {
    std::string setup;
    const char* out;
  } cases[] = {
      {"trap '' XFSZ; ulimit -f 64;",
       "\nERROR : Impossible d'ecrire le fichier quadri_concepts.txt...\n"},
      {"chmod 555 .; " + nobody,
       "\nERROR : Impossible de creer le fichier quadri_concepts.txt...\n"},
      {"ulimit -v 16384;", "\nERROR : Memoire insuffisante...\n"},
  };
  for (const auto& c : cases) {
    if (c.setup.starts_with("ulimit -v") && kSanitized) continue;
    const Outcome r = run_shell(c.setup + " " QUADMINE_BIN " base.txt 1 1 1 1");
    chmod(".", 0755);
    EXPECT_EQ(r.status, 1) << c.out;
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
        execl(QUADMINE_BIN, "quadmine", "base.txt", "1", "1", "1", "1", nullptr);
        _exit(127);
      }
      int status = 0;
      bool ended = false;  // before the signal: the test cannot tell anything
      if (in_report) {     // as soon as the temporary files appear
        while (entries() == 3 && !(ended = waitpid(pid, &status, WNOHANG) == pid)) {
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
