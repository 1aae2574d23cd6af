// The command line and the failures of a run: every message byte for byte,
// exit status 1, and no result file created or changed.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include "run_support.h"

namespace {

const std::string kCountMessage =
    "\n ERROR : Le nombre de parametres d'entrees doit etre egale \xE0 5.\n";
const std::string kBaseMessage = "\nERROR :  Base de transactions inexistante...\n";
std::string threshold_message(char which) {
  return std::string("\nERROR : Le seuil minsupp_") + which + " doit \xEAtre >= 1...\n";
}

class CommandLine : public ::testing::Test {
 protected:
  void SetUp() override { write_file(dir_.file("base.txt"), "1 10 100 5\n2 10 100 5\n"); }

  // Runs and checks the failure contract: exact output, status 1, no file.
  void expect_failure(const std::vector<std::string>& args, const std::string& out) {
    const RunResult r = run_quadmine(dir_.path(), args);
    EXPECT_EQ(r.out, out);
    EXPECT_EQ(r.exit_status, 1);
    EXPECT_FALSE(file_exists(dir_.file("quadri_concepts.txt")));
    EXPECT_FALSE(file_exists(dir_.file("users_only.txt")));
  }
  // Runs and removes the result files of the successful run.
  bool succeeds(const std::vector<std::string>& args) {
    const bool ok = run_quadmine(dir_.path(), args).exit_status == 0;
    std::remove(dir_.file("quadri_concepts.txt").c_str());
    std::remove(dir_.file("users_only.txt").c_str());
    return ok;
  }

  TempDir dir_;
};

TEST_F(CommandLine, UsageTextIsExact) {
  // Pieces of the usage text as documented, with their exact star counts.
  const std::string usage = kUsage;
  EXPECT_NE(usage.find(" " + std::string(16, '*') +
                       "Pour Compiler ce programme : " + std::string(19, '*') + "\n"),
            std::string::npos);
  EXPECT_NE(usage.find(" " + std::string(18, '*') + "See you in another life" +
                       std::string(24, '*') + "\n\n\n\n"),
            std::string::npos);
}

TEST_F(CommandLine, WrongArgumentCount) {
  expect_failure({}, kCountMessage + kUsage);
  expect_failure({"base.txt", "1", "1", "1"}, kCountMessage + kUsage);
  expect_failure({"base.txt", "1", "1", "1", "1", "1"}, kCountMessage + kUsage);
}

TEST_F(CommandLine, BaseThatCannotBeRead) {
  expect_failure({"missing.txt", "1", "1", "1", "1"}, kBaseMessage + kUsage);
  expect_failure({"", "1", "1", "1", "1"}, kBaseMessage + kUsage);
  // A directory opens for reading on Linux, then fails at the first read.
  mkdir(dir_.file("folder").c_str(), 0755);
  expect_failure({"folder", "1", "1", "1", "1"}, kBaseMessage + kUsage);
  // The base is checked before the thresholds.
  expect_failure({"missing.txt", "0", "0", "0", "0"}, kBaseMessage + kUsage);
}

// The base is opened for reading only, so a read-only base runs and is never
// written. (Under root the permission bits are not enforced by the system.)
TEST_F(CommandLine, ReadOnlyBaseIsAccepted) {
  chmod(dir_.file("base.txt").c_str(), 0444);
  EXPECT_TRUE(succeeds({"base.txt", "1", "1", "1", "1"}));
  EXPECT_EQ(read_file(dir_.file("base.txt")), "1 10 100 5\n2 10 100 5\n");
}

TEST_F(CommandLine, ThresholdsAreCheckedInOrder) {
  expect_failure({"base.txt", "0", "1", "1", "1"}, threshold_message('u') + kUsage);
  expect_failure({"base.txt", "-3", "1", "1", "1"}, threshold_message('u') + kUsage);
  expect_failure({"base.txt", "abc", "1", "1", "1"}, threshold_message('u') + kUsage);
  expect_failure({"base.txt", "1", "0", "1", "1"}, threshold_message('t') + kUsage);
  expect_failure({"base.txt", "1", "1", "0", "1"}, threshold_message('r') + kUsage);
  expect_failure({"base.txt", "1", "1", "1", "0"}, threshold_message('d') + kUsage);
  // Two bad thresholds: only the first is reported.
  expect_failure({"base.txt", "1", "x", "1", "-1"}, threshold_message('t') + kUsage);
  expect_failure({"base.txt", "0", "0", "0", "0"}, threshold_message('u') + kUsage);
}

TEST_F(CommandLine, ThresholdsConvertLikeAtolAndSaturate) {
  EXPECT_TRUE(succeeds({"base.txt", "3abc", " +1", "1", "1"}));
  // Past the 32-bit range a value saturates: 4294967296 would wrap to 0.
  EXPECT_TRUE(succeeds({"base.txt", "4294967296", "1", "1", "99999999999999999999999"}));
  // ...and a large negative value stays negative (it would wrap to 1).
  expect_failure({"base.txt", "-4294967295", "1", "1", "1"}, threshold_message('u') + kUsage);
}

TEST_F(CommandLine, InvalidBaseLineStopsBeforeTheResultFiles) {
  write_file(dir_.file("bad.txt"), "1 10 100 5\n\n2 10 100 5\n3 10 100\n");
  expect_failure({"bad.txt", "1", "1", "1", "1"},
                 "\nERROR : Ligne 4 de la base bad.txt invalide : quatre entiers attendus...\n");

  // Result files of an earlier run are left exactly as they were.
  write_file(dir_.file("quadri_concepts.txt"), "earlier");
  write_file(dir_.file("users_only.txt"), "earlier too");
  const RunResult r = run_quadmine(dir_.path(), {"bad.txt", "1", "1", "1", "1"});
  EXPECT_EQ(r.exit_status, 1);
  EXPECT_EQ(read_file(dir_.file("quadri_concepts.txt")), "earlier");
  EXPECT_EQ(read_file(dir_.file("users_only.txt")), "earlier too");
}

TEST_F(CommandLine, ResultFileThatCannotBeCreated) {
  mkdir(dir_.file("quadri_concepts.txt").c_str(), 0755);
  RunResult r = run_quadmine(dir_.path(), {"base.txt", "1", "1", "1", "1"});
  EXPECT_EQ(r.exit_status, 1);
  EXPECT_EQ(r.out, "\nERROR : Impossible de creer le fichier quadri_concepts.txt...\n");

  rmdir(dir_.file("quadri_concepts.txt").c_str());
  mkdir(dir_.file("users_only.txt").c_str(), 0755);
  r = run_quadmine(dir_.path(), {"base.txt", "1", "1", "1", "1"});
  EXPECT_EQ(r.exit_status, 1);
  EXPECT_EQ(r.out, "\nERROR : Impossible de creer le fichier users_only.txt...\n");
}

void limit_file_size() {
  signal(SIGXFSZ, SIG_IGN);
  const rlimit limit{4096, 4096};
  setrlimit(RLIMIT_FSIZE, &limit);
}

TEST_F(CommandLine, WriteFailureMidwayIsAnError) {
  // Many separate concepts so the report runs far past a 4 KiB file limit.
  std::string base;
  for (int r = 0; r < 2000; ++r) {
    base += "1 1 " + std::to_string(r) + " 1\n2 1 " + std::to_string(r) + " 1\n3 2 " +
            std::to_string(r) + " 2\n";
  }
  write_file(dir_.file("big.txt"), base);
  const RunResult r = run_quadmine(dir_.path(), {"big.txt", "2", "1", "1", "1"}, limit_file_size);
  EXPECT_EQ(r.exit_status, 1);
  EXPECT_EQ(r.out, "\nERROR : Impossible d'ecrire le fichier quadri_concepts.txt...\n");
}

}  // namespace
