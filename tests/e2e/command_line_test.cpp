// The real program in a scratch directory: each command-line error and
// failure with its message and exit status, result files of an earlier run
// left untouched, and whole runs compared byte for byte (times masked;
// standard error joins standard output, so stray progress output shows). A
// run that fails or is stopped before its result files are whole leaves those
// of an earlier run as they were, and no temporary file.
#include <fcntl.h>
#include <sys/stat.h>

#include <array>
#include <chrono>
#include <csignal>
#include <set>
#include <thread>

#include "e2e/run_support.h"

using namespace quadmine;  // NOLINT: the tests and benchmarks use the program's names

namespace {

const std::string kUsage =
    "\n\n\n\n ****************Pour Compiler ce programme : *******************\n\n\n"
    "\n Fichier_entree.txt MinSupp_u MinSupp_t MinSupp_r\n"
    "\n Minsupp_u, MinSupp_t et MinSupp_r sont absolus et doivent etre strictement superieurs a 0."
    "\n Le programme donne le nombre de tri-concepts et le temps d'execution...\n"
    "\n\n ******************See you in another life************************\n\n\n\n";
const std::string kCount =
    "\n ERROR : Le nombre de parametres d'entrees doit etre egale \xE0 5.\n" + kUsage;
const std::string kBase = "\nERROR :  Base de transactions inexistante...\n" + kUsage;
std::string below_one(char which) {
  return std::string("\nERROR : Le seuil minsupp_") + which + " doit \xEAtre >= 1...\n" + kUsage;
}

const std::string kEmptyWarning =
    "quadmine: warning: empty.txt holds no quadruple: nothing is mined, the result files are "
    "empty and the average times are not numbers.\n";
const std::string kWideWarning =
    "quadmine: warning: 2 lines of wide.txt hold more than four fields, the first at line 3; "
    "only the first four numbers of a line are read. A file of raw tagging events is turned "
    "into a base by quadmine-prepare.\n";

TEST(Program, CommandLineAndRuns) {
  const ScratchDir dir;
  write_file("empty.txt", "");
  write_file("wide.txt", "1 7 3 4\r\n\n5 2 3 4 2009-04\n6 2 3 4 x\n");
  write_file("bad.txt", "1 10 100 5\n\n2 10 100 5\n3 10 100\n");
  std::filesystem::create_directory("folder");
  // Hand-derived: the tag pass joins tags 10 and 11 of each (R, D) pair, the
  // resource pass gives R {5 6} to D 7, and the D pass builds R {5} D {7 8},
  // which holds the R 5 D 8 concept. Users 1 and 2 share every concept: no
  // resource to recommend, each other to propose.
  write_file("base.txt",
             "1 10 5 7\n2 10 5 7\n1 11 5 7\n2 11 5 7\n1 10 6 7\n2 10 6 7\n1 11 6 7\n2 11 6 7\n"
             "1 10 5 8\n2 10 5 8\n1 11 5 8\n2 11 5 8\n3 12 9 9\n4 12 9 9\n3 13 9 9\n4 13 9 9\n");
  const std::string grown_out =
      "\n Number of Unique Users : 0\n Resource Recommendations: Average"
      " Time = -nan\n User Proposition: Average Time = <t>";
  const std::string grown_concepts =
      "\nU = {1, 2, },  T = {10, 11, },  R = {5, 6, },  D = {7, }"
      "\nU = {1, 2, },  T = {10, 11, },  R = {5, },  D = {7, 8, }";
  const std::string grown_users = "1 7\n2 7\n1 7\n2 7\n";
  const std::string cannot = "\nERROR : Impossible d",
                    none =
                        "\n Number of Unique Users : 0"
                        "\n Resource Recommendations: Average Time = -nan\n User Proposition: "
                        "Average Time = -nan";
  // Arguments and setup are shell words. The result files of an earlier run
  // hold "earlier"; "-": not looked at.
  // clang-format off
  using Row = std::tuple<std::string, std::string, int, std::string, std::string, std::string>;
  const std::vector<Row> rows = {
    {"", "", 1, kCount, "earlier", "earlier"},
    {"base.txt 1 1 1", "", 1, kCount, "earlier", "earlier"},
    {"base.txt 1 1 1 1 1", "", 1, kCount, "earlier", "earlier"},
    {"missing.txt 1 1 1 1", "", 1, kBase, "earlier", "earlier"},
    {"folder 1 1 1 1", "", 1, kBase, "earlier", "earlier"},
    {"base.txt 0 1 1 1", "", 1, below_one('u'), "earlier", "earlier"},
    {"base.txt '' 1 1 1", "", 1, below_one('u'), "earlier", "earlier"},
    {"base.txt -3 1 1 1", "", 1, below_one('u'), "earlier", "earlier"},
    {"base.txt 0: 1 1 1", "", 1, below_one('u'), "earlier", "earlier"},
    {"base.txt -4294967295 1 1 1", "", 1, below_one('u'), "earlier", "earlier"},
    {"base.txt 1 0 1 1", "", 1, below_one('t'), "earlier", "earlier"},
    {"base.txt 1 1 0 1", "", 1, below_one('r'), "earlier", "earlier"},
    {"base.txt 1 1 1 0", "", 1, below_one('d'), "earlier", "earlier"},
    {"bad.txt 1 1 1 1", "", 1,
     "\nERROR : Ligne 4 de la base bad.txt invalide : quatre entiers attendus...\n", "earlier",
     "earlier"},
    {"base.txt 2 1 1 1", "rm quadri_concepts.txt; mkdir quadri_concepts.txt;", 1,
     cannot + "e creer le fichier quadri_concepts.txt...\n", "-", "earlier"},
    {"base.txt 2 1 1 1", "rm users_only.txt; mkdir users_only.txt;", 1,
     cannot + "e creer le fichier users_only.txt...\n", "-", "-"},
    // A result file that is a link is replaced, never written through.
    {"base.txt 2 2 1 1", "rm users_only.txt; ln -s /dev/full users_only.txt;", 0, grown_out,
     grown_concepts, grown_users},
    {"base.txt 2 2 1 1", "", 0, grown_out, grown_concepts, grown_users},
    // Digits end at the first other character; values beyond int saturate.
    {"base.txt ' \t\n\v\f\r+2' 2 1 1", "", 0, grown_out, grown_concepts, grown_users},
    {"base.txt 20abc 1 1 1", "", 0, none, "", ""},
    {"base.txt 4294967296 1 1 99999999999999999999", "", 0, none, "", ""},
    {"empty.txt 1 1 1 1", "", 0, kEmptyWarning + none, "", ""},
    // The help, alone; with anything else the words are read as before.
    {"--help 1 1 1 1", "", 1, kBase, "earlier", "earlier"},
    // A raw file: the first four numbers of each line are read, once said.
    {"wide.txt 2 1 1 1", "", 0, kWideWarning + grown_out, "\nU = {5, 6, },  T = {2, },  R = {3, },  D = {4, }",
     "5 4\n6 4\n"},
  };
  // clang-format on
  for (const auto& [args, setup, status, out, concepts, users] : rows) {
    for (const char* name : {"quadri_concepts.txt", "users_only.txt"}) {
      std::filesystem::remove_all(name);
      write_file(name, "earlier");
    }
    EXPECT_EQ(run_program(args, setup), std::pair(status, out)) << args;
    EXPECT_EQ(concepts == "-" ? "-" : read_file("quadri_concepts.txt"), concepts) << args;
    EXPECT_EQ(users == "-" ? "-" : read_file("users_only.txt"), users) << args;
  }
}

// An unsorted base: said once on standard error, the run goes on.
TEST(Program, WarnsOnceWhenATripleFormsSeveralRuns) {
  const ScratchDir dir;
  // Tag 11 in three runs (lines 1, 3-4, 6), tag 10 in two (lines 2, 5): the
  // triple of three runs is counted once, though another sorts before it.
  write_file("base.txt",
             "1 11 100 5\n2 10 100 5\n3 11 100 5\n4 11 100 5\n5 10 100 5\n6 11 100 5\n");
  const Outcome r = run_shell(QUADMINE_BIN " base.txt 2 1 1 1");
  EXPECT_EQ(r.err,
            "quadmine: warning: 2 (tag, resource, D) triples of base.txt occur in more than "
            "one run of lines, the first again at line 3; each run is mined as a group of "
            "its own. quadmine-prepare writes a base sorted by resource, D, tag and user.\n");
  write_file("base.txt", "1 10 100 5\n2 10 100 5\n3 11 100 5\n4 10 101 5\n5 11 101 5\n");
  EXPECT_EQ(run_shell(QUADMINE_BIN " base.txt 2 1 1 1").err, "");
}

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
