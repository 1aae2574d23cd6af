#include "loader/loader.h"

#include <climits>
#include <cstdio>
#include <string>

#include "loader/base_line.h"
#include "test_support.h"

namespace {

using V = std::vector<int>;

LineKind parse(const std::string& s, Quad& q) { return parse_base_line(s.data(), s.size(), q); }

TEST(BaseLine, ReadsFourIntegersAsScanfDoes) {
  Quad q{};
  ASSERT_EQ(parse("1 10 100 5\n", q), LineKind::Quadruple);
  EXPECT_EQ(q, (Quad{1, 10, 100, 5}));
  ASSERT_EQ(parse("\t 7\t-3  +8 2009\r\n", q), LineKind::Quadruple);
  EXPECT_EQ(q, (Quad{7, -3, 8, 2009}));
  ASSERT_EQ(parse("1-2 3 4 trailing text 99", q), LineKind::Quadruple)
      << "scanf needs no blank before a sign";
  EXPECT_EQ(q, (Quad{1, -2, 3, 4}));
  ASSERT_EQ(parse("1 2 3 4abc", q), LineKind::Quadruple)
      << "text after the fourth number is ignored";
  ASSERT_EQ(parse("2147483647 -2147483648 0 -1", q), LineKind::Quadruple);
  EXPECT_EQ(q, (Quad{INT_MAX, INT_MIN, 0, -1}));
  ASSERT_EQ(parse("000012 0 0 0", q), LineKind::Quadruple);
  EXPECT_EQ(q[0], 12);
}

TEST(BaseLine, BlankLines) {
  Quad q{};
  EXPECT_EQ(parse("", q), LineKind::Blank);
  EXPECT_EQ(parse("\n", q), LineKind::Blank);
  EXPECT_EQ(parse(" \t\r\n", q), LineKind::Blank);
}

TEST(BaseLine, RejectsWhatIsNotFourIntegers) {
  Quad q{1, 2, 3, 4};
  for (const std::string bad :
       {"user tag resource d", "1 2 3", "1 2 3\n", "12abc 3 4 5", "1 2 x 4", "+ 1 2 3 4", "1 2 3 -",
        "2147483648 1 1 1", "1 -2147483649 1 1", "99999999999999999999 1 1 1", "1,2,3,4"}) {
    EXPECT_EQ(parse(bad, q), LineKind::Invalid) << bad;
  }
  EXPECT_EQ(parse(std::string("1 2\0 3 4", 8), q), LineKind::Invalid);
  EXPECT_EQ(parse(std::string("1 2 3 4\0", 8), q), LineKind::Invalid) << "a NUL byte anywhere";
  EXPECT_EQ(q, (Quad{1, 2, 3, 4})) << "a rejected line leaves the output alone";
}

class Loader : public StoreTest {
 protected:
  LoadResult load(const std::string& text, int min_u) {
    minsupp_u = min_u;
    file_ = std::tmpfile();
    std::fwrite(text.data(), 1, text.size(), file_);
    std::rewind(file_);
    fp = file_;
    return load_la_base();
  }
  void TearDown() override {
    if (file_ != nullptr) std::fclose(file_);
    StoreTest::TearDown();
  }
  std::FILE* file_ = nullptr;
};

const char* const kSixLines =
    "1 10 100 5\n2 10 100 5\n3 10 100 5\n4 11 100 5\n5 12 100 5\n6 12 100 5\n";

TEST_F(Loader, GroupsRunsOfEqualKey) {
  EXPECT_EQ(load(kSixLines, 2).status, LoadStatus::Ok);
  ASSERT_EQ(ens_tc.size(), 2u);
  EXPECT_EQ(ens_tc[0], make_concept({1, 2, 3}, {10}, {100}, {5}));
  EXPECT_EQ(ens_tc[1], make_concept({5, 6}, {12}, {100}, {5}));
  EXPECT_EQ(ijk, 6);
}

TEST_F(Loader, SingleUserConceptsWithThresholdOne) {
  load(kSixLines, 1);
  ASSERT_EQ(ens_tc.size(), 4u);
  EXPECT_EQ(ens_tc[0], make_concept({1}, {10}, {100}, {5}));
  EXPECT_EQ(ens_tc[1], make_concept({1, 2, 3}, {10}, {100}, {5}));
  EXPECT_EQ(ens_tc[2], make_concept({5}, {12}, {100}, {5})) << "user 4 ended a group: no concept";
  EXPECT_EQ(ens_tc[3], make_concept({5, 6}, {12}, {100}, {5}));
}

TEST_F(Loader, GroupTooSmallIsDropped) {
  load(kSixLines, 4);
  EXPECT_TRUE(ens_tc.empty());
  EXPECT_EQ(ijk, 6);
}

TEST_F(Loader, AdjacencyDecidesGroups) {
  load("1 10 100 5\n2 10 100 6\n", 2);
  EXPECT_TRUE(ens_tc.empty()) << "different D never groups";

  reset_run_state();
  load("7 3 8 1\n7 3 8 1\n", 2);
  ASSERT_EQ(ens_tc.size(), 1u);
  EXPECT_EQ(ens_tc[0].us, (V{7, 7})) << "a repeated line repeats the user";

  reset_run_state();
  load("1 1 1 1\n2 1 1 1\n3 2 2 2\n4 1 1 1\n5 1 1 1", 2);  // A A B A A, no final LF
  ASSERT_EQ(ens_tc.size(), 2u);
  EXPECT_EQ(ens_tc[0].us, (V{1, 2}));
  EXPECT_EQ(ens_tc[1].us, (V{4, 5})) << "a group ending at end of file is kept";
}

TEST_F(Loader, MinusOneIsAnOrdinaryIdentifier) {
  // With a -1 marker for "no previous line", this first line would match it.
  load("-1 -1 -1 -1\n5 -1 -1 -1\n", 2);
  ASSERT_EQ(ens_tc.size(), 1u);
  EXPECT_EQ(ens_tc[0], make_concept({-1, 5}, {-1}, {-1}, {-1}));
  reset_run_state();
  load("-1 -1 -1 -1\n", 1);
  ASSERT_EQ(ens_tc.size(), 1u);
}

TEST_F(Loader, BlankLinesAreInvisible) {
  // Blank lines neither end nor start a group, nor count.
  EXPECT_EQ(load("\n1 10 100 5\r\n  \n\t\r\n2 10 100 5\r\n\n3 11 100 5\n \n", 2).status,
            LoadStatus::Ok);
  ASSERT_EQ(ens_tc.size(), 1u);
  EXPECT_EQ(ens_tc[0].us, (V{1, 2}));
  EXPECT_EQ(ijk, 3);

  reset_run_state();
  load("\n\n \n", 1);
  EXPECT_TRUE(ens_tc.empty());
  EXPECT_EQ(ijk, 0);
}

TEST_F(Loader, InvalidLineStopsWithItsPhysicalNumber) {
  const LoadResult r = load("1 10 100 5\n\n2 10 100 5\nuser tag resource d\n", 2);
  EXPECT_EQ(r.status, LoadStatus::InvalidLine);
  EXPECT_EQ(r.line, 4);
  const LoadResult in_group = load("1 1 1 1\n2 1 1 1\n3 1 1\n", 2);
  EXPECT_EQ(in_group.status, LoadStatus::InvalidLine);
  EXPECT_EQ(in_group.line, 3);
}

TEST_F(Loader, LongLinesAreReadWhole) {
  // A line far longer than any fixed buffer: one quadruple, then padding.
  std::string line = "1 10 100 5" + std::string(5000, ' ') + "\n";
  load(line + "2 10 100 5\n", 2);
  ASSERT_EQ(ens_tc.size(), 1u);
  EXPECT_EQ(ijk, 2);
}

}  // namespace
