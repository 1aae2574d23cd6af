// A catalogue of hostile bases. Each bad one ends with a message naming the
// base and the line, exit status 1 and no result file; each odd-but-valid one
// runs normally.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "run_support.h"

namespace {

std::string invalid_line(long line, const std::string& base = "base.txt") {
  return "\nERROR : Ligne " + std::to_string(line) + " de la base " + base +
         " invalide : quatre entiers attendus...\n";
}

class BadInput : public ::testing::Test {
 protected:
  void expect_rejected(const std::string& content, long line) {
    write_file(dir_.file("base.txt"), content);
    const RunResult r = run_quadmine(dir_.path(), {"base.txt", "1", "1", "1", "1"});
    EXPECT_EQ(r.out, invalid_line(line));
    EXPECT_EQ(r.exit_status, 1);
    EXPECT_FALSE(file_exists(dir_.file("quadri_concepts.txt")));
    EXPECT_FALSE(file_exists(dir_.file("users_only.txt")));
  }
  TempDir dir_;
};

TEST_F(BadInput, TextThatIsNotFourIntegers) {
  expect_rejected("user tag resource d\n1 2 3 4\n", 1);  // a header line
  expect_rejected("1 2 3 4\n5 6 7\n", 2);                // three numbers
  expect_rejected("1 2 3 4\n12abc 6 7 8\n", 2);          // a number glued to text
  expect_rejected("1 2 3 4\n1;2;3;4\n", 2);
  expect_rejected("# comment\n", 1);
}

TEST_F(BadInput, NumbersBeyondThe32BitRange) {
  expect_rejected("2147483648 1 1 1\n", 1);
  expect_rejected("1 1 1 -2147483649\n", 1);
  expect_rejected("\n\n1 1 99999999999999999999999999 1\n", 3);
}

TEST_F(BadInput, NulByteInALine) {
  expect_rejected(std::string("1 2 3 4\n5 6\0 7 8\n", 18), 2);
  expect_rejected(std::string("1 2 3 4\0\n", 9), 1);
}

TEST_F(BadInput, RandomBinaryBytes) {
  std::mt19937 rng(20261206);
  std::string bytes(64 * 1024, '\0');
  for (char& b : bytes) b = static_cast<char>(rng() & 0xFF);
  bytes[0] = '\xFF';  // so the first line is certainly not a quadruple
  expect_rejected(bytes, 1);
}

TEST_F(BadInput, OneMegabyteLine) {
  // A huge line is read whole and rejected as one line, not in pieces.
  expect_rejected("1 2 3 4\n" + std::string(1 << 20, '7') + "\n5 6 7 8\n", 2);
  expect_rejected("1 2 3 4\n" + std::string(1 << 20, 'x') + "\n", 2);
}

TEST_F(BadInput, HugeTrailingTextAfterAValidQuadruple) {
  // Text after the fourth number is ignored, however long.
  write_file(dir_.file("base.txt"), "1 2 3 4 " + std::string(1 << 20, 'x') + "\n5 2 3 4\n");
  const RunResult r = run_quadmine(dir_.path(), {"base.txt", "2", "1", "1", "1"});
  EXPECT_EQ(r.exit_status, 0);
  EXPECT_EQ(read_file(dir_.file("quadri_concepts.txt")),
            "\nU = {1, 5, },  T = {2, },  R = {3, },  D = {4, }");
}

}  // namespace
