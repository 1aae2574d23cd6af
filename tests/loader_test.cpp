// The base loader: what a line may hold and how lines group into concepts.
#include "loader/loader.h"

#include "driver/command_line.h"
#include "support.h"

using namespace quadmine;  // NOLINT: the tests and benchmarks use the program's names

namespace {

// "<store> / <lines read>" after loading the base "B", or the message that
// says where and why the loader stopped. The base "<dir>" is a directory: it
// opens but cannot be read.
std::string load(const std::string& base, int min_users) {
  std::FILE* f = base == "<dir>" ? std::fopen(".", "r") : std::tmpfile();
  std::fwrite(base.data(), 1, base.size(), f);
  std::rewind(f);
  Store loaded;
  const Result<LoadSummary> r = load_base(f, "B", min_users, loaded);
  std::fclose(f);
  return r.ok() ? text(loaded) + " / " + std::to_string(r->lines) : r.message();
}

// Line N rejected.
std::string bad(int n) {
  return "Ligne " + std::to_string(n) + " de la base B invalide : quatre entiers attendus";
}

TEST(Loader, WhatALineMayHoldAndHowLinesGroup) {
  const std::string six =
      "1 10 100 5\n2 10 100 5\n3 10 100 5\n4 11 100 5\n5 12 100 5\n6 12 100 5\n";
  // The base, minsupp_u, what it loads.
  // clang-format off
  const std::vector<std::tuple<std::string, int, std::string>> rows = {
    {"1 10 100 5\n", 1, "1|10|100|5 / 1"},
    {" \t\v\f\r7\t-3  +8 2009\r\n", 1, "7|-3|8|2009 / 1"},
    {"1-2 3 4 trailing 99", 1, "1|-2|3|4 / 1"},
    {"1 2 3 4:", 1, "1|2|3|4 / 1"},
    {"2147483647 -2147483648 0 -1", 1, "2147483647|-2147483648|0|-1 / 1"},
    {"\n \t\r\n\v\f\n", 1, " / 0"},
    {"user tag resource d\n1 2 3 4\n", 1, bad(1)}, {"1 2 3 4\n\n5 6 7\n", 1, bad(3)},
    {"1 2 3 4\n12abc 6 7 8\n", 1, bad(2)}, {"1:2 3 4 5\n", 1, bad(1)}, {"1/2 3 4 5\n", 1, bad(1)},
    {"1,2,3,4\n", 1, bad(1)}, {"\x01" "1 2 3 4\n", 1, bad(1)}, {"+ 1 2 3 4\n", 1, bad(1)},
    {"2147483648 1 1 1\n", 1, bad(1)}, {"1 1 1 -2147483649\n", 1, bad(1)},
    {std::string("1 2 3 4\n5 6\0 7 8\n", 18), 1, bad(2)},
    {std::string("1 2 3 4\0\n", 9), 1, bad(1)},
    {"<dir>", 1, "Lecture de la base B impossible a la ligne 1"},
    {six, 2, "1 2 3|10|100|5, 5 6|12|100|5 / 6"},
    // User 4 ended a group: it yields no concept of its own.
    {six, 1, "1|10|100|5, 1 2 3|10|100|5, 5|12|100|5, 5 6|12|100|5 / 6"},
    {six, 4, " / 6"},
    {"1 10 100 5\n2 10 100 6\n3 10 101 6\n4 9 101 6\n5 9 101 5\n6 9 100 5\n", 2, " / 6"},
    {"7 3 8 1\n7 3 8 1\n", 2, "7 7|3|8|1 / 2"},
    {"1 1 1 1\n2 1 1 1\n3 2 2 2\n4 1 1 1\n5 1 1 1", 2, "1 2|1|1|1, 4 5|1|1|1 / 5"},
    // No line before the first: neither a key of zeros nor one of -1 matches it.
    {"7 0 0 0\n-1 -1 -1 -1\n5 -1 -1 -1\n", 1, "7|0|0|0, -1|-1|-1|-1, -1 5|-1|-1|-1 / 3"},
    {"\n1 10 100 5\r\n  \n\t\r\n2 10 100 5\r\n\n3 11 100 5\n \n", 2, "1 2|10|100|5 / 3"},
    {"1 10 100 5" + std::string(5000, ' ') + "\n2 10 100 5\n", 2, "1 2|10|100|5 / 2"},
  };
  // clang-format on
  for (const auto& [base, u, loaded] : rows) EXPECT_EQ(load(base, u), loaded) << base;
}

// The command line as the globals' callers read it: the base opened into fp,
// the four thresholds in minsupp_u, minsupp_t, minsupp_r and minsupp_d.
TEST(CheckInput, OpensTheBaseAndSetsTheFourThresholds) {
  char base[] = __FILE__, q[] = "quadmine", u[] = "3", t[] = "4", r[] = "5", d[] = "6";
  char* argv[] = {q, base, u, t, r, d};
  ASSERT_TRUE(check_input(argv, 6));
  EXPECT_EQ((std::array{minsupp_u, minsupp_t, minsupp_r, minsupp_d}), (std::array{3, 4, 5, 6}));
  EXPECT_EQ(std::fclose(fp), 0);  // an open stream
}

}  // namespace
