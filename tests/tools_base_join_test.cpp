#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tools/base_join.h"
#include "tools_test_support.h"

namespace {

using tools_test::file_exists;
using tools_test::read_file;
using tools_test::ScratchDir;
using tools_test::StdoutCapture;
using tools_test::write_file;

constexpr const char* kCandidates = "basemiaou.txt";
constexpr const char* kRequests = "metier19.txt";
constexpr const char* kOutput = "xxxbasemiaousortie.txt";

class BaseJoinTest : public ::testing::Test {
 protected:
  // Runs the join and returns what it printed.
  static std::string join() {
    StdoutCapture capture;
    miaou();
    return capture.take();
  }

  ScratchDir dir_;
};

TEST_F(BaseJoinTest, EachRequestTakesTheFourthFieldOfItsFirstMatchingCandidate) {
  write_file(kCandidates,
             "1 2 3 10\n"
             "4 5 6 20\n"
             "1 2 3 30\n"
             "-7 8 9 40\r\n"
             "1 2 4 50\n");
  write_file(kRequests,
             "4 5 6 99\n"   // matches the second candidate; its own 99 is not used
             "1 2 3 0\n"    // two candidates match: the earlier one wins
             "5 5 5 5\n"    // no match: nothing written
             "-7 8 9 1\n"
             "1 2 3 0\n");  // same key again: the candidates are read from the top
  EXPECT_EQ(join(), "");
  EXPECT_EQ(read_file(kOutput), "\n4 5 6 20\n1 2 3 10\n-7 8 9 40\n1 2 3 10");
}

TEST_F(BaseJoinTest, EmptyOrUnmatchedRequestsLeaveAnEmptyOutput) {
  write_file(kCandidates, "1 2 3 10\n");
  write_file(kRequests, "");
  EXPECT_EQ(join(), "");
  EXPECT_EQ(read_file(kOutput), "");

  write_file(kOutput, "old content");
  write_file(kRequests, "3 2 1 0\n");
  EXPECT_EQ(join(), "");
  EXPECT_EQ(read_file(kOutput), "") << "the output is rewritten from scratch";
}

TEST_F(BaseJoinTest, AnInputThatCannotBeOpenedStopsBeforeTheOutputIsTouched) {
  write_file(kRequests, "1 2 3 0\n");
  EXPECT_EQ(join(), "\nERROR : Impossible d'ouvrir le fichier basemiaou.txt...\n");
  EXPECT_FALSE(file_exists(kOutput));

  write_file(kCandidates, "1 2 3 10\n");
  std::filesystem::remove(kRequests);
  write_file(kOutput, "previous join");
  EXPECT_EQ(join(), "\nERROR : Impossible d'ouvrir le fichier metier19.txt...\n");
  EXPECT_EQ(read_file(kOutput), "previous join");

  // A directory opens for reading but cannot be read.
  std::filesystem::create_directory(kRequests);
  EXPECT_EQ(join(), "\nERROR : Impossible d'ouvrir le fichier metier19.txt...\n");
  EXPECT_EQ(read_file(kOutput), "previous join");
}

TEST_F(BaseJoinTest, AnOutputThatCannotBeCreatedIsReported) {
  write_file(kCandidates, "1 2 3 10\n");
  write_file(kRequests, "1 2 3 0\n");
  std::filesystem::create_directory(kOutput);
  EXPECT_EQ(join(), "\nERROR : Impossible de creer le fichier xxxbasemiaousortie.txt...\n");
}

TEST_F(BaseJoinTest, LinesWithoutFourIntegersAreSkipped) {
  write_file(kCandidates,
             "9 9 9 1\n"
             "1 2 3\n"        // three fields: no stale fourth field is taken
             "garbage\n"
             "\n"
             "1 2 3 50\n"
             "4 4 4 99999999999\n"
             "4 4 4 60\n");
  write_file(kRequests,
             "1 2 3 0\n"
             "garbage\n"      // must not repeat the previous request
             "1 2 x 4\n"
             "\n"
             "1 2\n"
             "4 4 4 0\n");
  EXPECT_EQ(join(), "");
  EXPECT_EQ(read_file(kOutput), "\n1 2 3 50\n4 4 4 60");
}

TEST_F(BaseJoinTest, LongLinesAreReadWhole) {
  const std::string blanks(150, ' ');
  // The fourth integer lies beyond the first 99 bytes of the candidate, and
  // the tail of the request would read as another request if the line were cut.
  write_file(kCandidates, "9 9 9 5\n1 2 3" + blanks + "77\n");
  write_file(kRequests, "1 2 3 0" + blanks + "9 9 9 9\n");
  EXPECT_EQ(join(), "");
  EXPECT_EQ(read_file(kOutput), "\n1 2 3 77");
}

}  // namespace
