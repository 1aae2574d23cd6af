#include "output/report.h"

#include <cstdio>
#include <string>

#include "output/final_filter.h"
#include "test_support.h"

namespace {

using V = std::vector<int>;

class FinalFilter : public StoreTest {};

TEST_F(FinalFilter, AloneIsNeitherSubsumedNorErased) {
  ens_tc = {make_concept({1}, {2}, {3}, {4})};
  bool flag = false;
  test_inclusionFINAL(0, ens_tc[0], ens_tc, flag);
  EXPECT_FALSE(flag);
  EXPECT_EQ(ens_tc.size(), 1u);
}

TEST_F(FinalFilter, StrictContainerSetsFlagOnlyOneWay) {
  const TriConcept small = make_concept({1}, {5, 6}, {7, 8}, {9, 10});
  const TriConcept big = make_concept({1, 2}, {5, 6}, {7, 8}, {9, 10});
  ens_tc = {small, big};
  bool flag = false;
  test_inclusionFINAL(0, ens_tc[0], ens_tc, flag);
  EXPECT_TRUE(flag);
  flag = false;
  test_inclusionFINAL(1, ens_tc[1], ens_tc, flag);
  EXPECT_FALSE(flag);
  EXPECT_EQ(ens_tc.size(), 2u);
}

TEST_F(FinalFilter, EqualCopiesAreErasedEvenWhenSubsumed) {
  const TriConcept c = make_concept({1, 2}, {5}, {7}, {9});
  ens_tc = {c, make_concept({2, 1}, {5}, {7}, {9}),  // equal copy, other order
            make_concept({1, 2}, {5}, {7}, {8}),     // not contained in D
            make_concept({1, 2, 3}, {5}, {7}, {9}),  // strict container
            make_concept({1, 2}, {5}, {7}, {9})};    // equal copy
  bool flag = false;
  int before = -1;
  test_inclusionFINAL(0, ens_tc[0], ens_tc, flag, &before);
  EXPECT_TRUE(flag);
  EXPECT_EQ(before, 0);
  ASSERT_EQ(ens_tc.size(), 3u);
  EXPECT_EQ(ens_tc[0], c);
  EXPECT_EQ(ens_tc[1].ds, (V{8}));
  EXPECT_EQ(ens_tc[2].us, (V{1, 2, 3}));
}

TEST_F(FinalFilter, CopyBeforeTheExaminedPositionIsCounted) {
  // U {1 1} counts U {1 2} as an equal copy (inclusion ignores repetition).
  ens_tc = {make_concept({1, 2}, {5}, {7}, {9}), make_concept({1, 1}, {5}, {7}, {9})};
  bool flag = false;
  int before = -1;
  test_inclusionFINAL(1, ens_tc[1], ens_tc, flag, &before);
  EXPECT_FALSE(flag);
  EXPECT_EQ(before, 1);
  ASSERT_EQ(ens_tc.size(), 1u);
  EXPECT_EQ(ens_tc[0].us, (V{1, 1}));
}

class Report : public StoreTest {
 protected:
  void run() {
    std::FILE* concepts = std::tmpfile();
    std::FILE* users = std::tmpfile();
    write_report(concepts, users);
    concepts_ = read_and_close(concepts);
    users_ = read_and_close(users);
  }
  void thresholds(int u, int t, int r, int d) {
    minsupp_u = u;
    minsupp_t = t;
    minsupp_r = r;
    minsupp_d = d;
  }
  std::string concepts_, users_;
};

TEST_F(Report, WritesBothFormats) {
  thresholds(1, 1, 1, 1);
  ens_tc = {make_concept({1, 2, 3}, {10, 11}, {100, 101}, {5, 6}),
            make_concept({-4}, {7}, {8}, {-9, 3})};
  run();
  EXPECT_EQ(concepts_,
            "\nU = {1, 2, 3, },  T = {10, 11, },  R = {100, 101, },  D = {5, 6, }"
            "\nU = {-4, },  T = {7, },  R = {8, },  D = {-9, 3, }");
  EXPECT_EQ(users_, "1 5\n2 5\n3 5\n-4 -9\n");
  EXPECT_EQ(ens_tc2, ens_tc);
}

TEST_F(Report, ThresholdsAndContainment) {
  thresholds(2, 1, 1, 2);
  ens_tc = {make_concept({1, 2}, {10}, {100}, {5}),         // one D value short
            make_concept({1}, {10}, {100}, {5, 6}),         // one user short
            make_concept({1, 2}, {10}, {100}, {5, 6}),      // contained in the next
            make_concept({1, 2, 3}, {10}, {100}, {5, 6}),   // reported
            make_concept({1, 2, 3}, {10}, {100}, {6, 5})};  // equal copy: erased
  run();
  EXPECT_EQ(concepts_, "\nU = {1, 2, 3, },  T = {10, },  R = {100, },  D = {5, 6, }");
  EXPECT_EQ(users_, "1 5\n2 5\n3 5\n");
  EXPECT_EQ(ens_tc.size(), 4u);
}

TEST_F(Report, NothingPassesGivesEmptyFiles) {
  thresholds(5, 1, 1, 1);
  ens_tc = {make_concept({1, 2}, {10}, {100}, {5})};
  run();
  EXPECT_EQ(concepts_, "");
  EXPECT_EQ(users_, "");
  EXPECT_TRUE(ens_tc2.empty());
}

TEST_F(Report, EqualCopyBeforeTheExaminedConceptIsHandled) {
  // U {1 1} examined first counts U {1 2} as its equal copy (inclusion ignores
  // repetition, sizes match) and erases it: U {1 1} alone is reported.
  thresholds(2, 1, 1, 1);
  ens_tc = {make_concept({1, 1}, {5}, {7}, {9}), make_concept({1, 2}, {5}, {7}, {9})};
  run();
  EXPECT_EQ(concepts_, "\nU = {1, 1, },  T = {5, },  R = {7, },  D = {9, }");

  // The other order: U {1 2} first does not count U {1 1} as a copy, so U {1 1}
  // is examined next and erases U {1 2}, which stands before it. The examined
  // concept moves down to position 0, is reported, and the loop ends without
  // reading past the store.
  reset_run_state();
  thresholds(2, 1, 1, 1);
  ens_tc = {make_concept({1, 2}, {5}, {7}, {9}), make_concept({1, 1}, {5}, {7}, {9}),
            make_concept({3, 4}, {5}, {7}, {9})};
  run();
  EXPECT_EQ(concepts_,
            "\nU = {1, 2, },  T = {5, },  R = {7, },  D = {9, }"
            "\nU = {1, 1, },  T = {5, },  R = {7, },  D = {9, }"
            "\nU = {3, 4, },  T = {5, },  R = {7, },  D = {9, }");
  EXPECT_EQ(users_, "1 9\n2 9\n1 9\n1 9\n3 9\n4 9\n");
}

}  // namespace
