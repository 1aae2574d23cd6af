#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tools/base_join.h"
#include "tools_test_support.h"

namespace {

using namespace tools_test;

constexpr const char* kCandidates = "basemiaou.txt";
constexpr const char* kRequests = "metier19.txt";
constexpr const char* kOutput = "xxxbasemiaousortie.txt";

// Runs the join and returns what it printed.
std::string join() { return capture_stdout(miaou); }

class BaseJoinTest : public ::testing::Test {
  ScratchDir dir_;
};

TEST_F(BaseJoinTest, EachRequestTakesTheFourthFieldOfItsFirstMatchingCandidate) {
  write_file(kCandidates, "1 2 3 10\n4 5 6 20\n1 2 3 30\n-7 8 9 40\r\n1 2 4 50\n");
  write_file(kRequests,
             "4 5 6 99\n"  // matches the second candidate; its own 99 is not used
             "1 2 3 0\n"   // two candidates match: the earlier one wins
             "5 5 5 5\n"   // no match: nothing written
             "-7 8 9 1\n"
             "1 2 3 0\n");  // same key again: the candidates are read from the top
  EXPECT_EQ(join(), "");
  EXPECT_EQ(read_file(kOutput), "\n4 5 6 20\n1 2 3 10\n-7 8 9 40\n1 2 3 10");

  // No request, or none matched: an empty output, rewritten from scratch.
  write_file(kRequests, "");
  EXPECT_EQ(join(), "");
  EXPECT_EQ(read_file(kOutput), "");
  write_file(kOutput, "old content");
  write_file(kRequests, "3 2 1 0\n");
  EXPECT_EQ(join(), "");
  EXPECT_EQ(read_file(kOutput), "");
}

TEST_F(BaseJoinTest, LinesWithoutFourIntegersAreSkippedAndLongLinesReadWhole) {
  const std::string blanks(150, ' ');
  write_file(kCandidates,
             "9 9 9 1\n"
             "1 2 3\n"  // three fields: no stale fourth field is taken
             "garbage\n\n1 2 3 50\n4 4 4 99999999999\n4 4 4 60\n"
             "5 5 5" +
                 blanks + "77\n");  // fourth integer beyond the first 99 bytes
  write_file(kRequests,
             "1 2 3 0\n"
             "garbage\n"  // must not repeat the previous request
             "1 2 x 4\n\n1 2\n4 4 4 0\n"
             "5 5 5 0" +
                 blanks + "9 9 9 9\n");  // a cut tail would be a request of its own
  EXPECT_EQ(join(), "");
  EXPECT_EQ(read_file(kOutput), "\n1 2 3 50\n4 4 4 60\n5 5 5 77");
}

TEST_F(BaseJoinTest, AFileThatCannotBeOpenedIsNamedAndTheOutputLeftAlone) {
  write_file(kRequests, "1 2 3 0\n");
  EXPECT_EQ(join(), "\nERROR : Impossible d'ouvrir le fichier basemiaou.txt...\n");
  EXPECT_FALSE(std::filesystem::exists(kOutput));

  write_file(kCandidates, "1 2 3 10\n");
  std::filesystem::remove(kRequests);
  write_file(kOutput, "previous join");
  EXPECT_EQ(join(), "\nERROR : Impossible d'ouvrir le fichier metier19.txt...\n");
  EXPECT_EQ(read_file(kOutput), "previous join");

  // A directory opens for reading but cannot be read.
  std::filesystem::create_directory(kRequests);
  EXPECT_EQ(join(), "\nERROR : Impossible d'ouvrir le fichier metier19.txt...\n");
  EXPECT_EQ(read_file(kOutput), "previous join");

  std::filesystem::remove(kRequests);
  write_file(kRequests, "1 2 3 0\n");
  std::filesystem::remove(kOutput);
  std::filesystem::create_directory(kOutput);
  EXPECT_EQ(join(), "\nERROR : Impossible de creer le fichier xxxbasemiaousortie.txt...\n");
}

}  // namespace
