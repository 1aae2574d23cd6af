// The set primitives and the subsumption tests where the differential check
// does not reach them: containsAvecPos, erasure lists outside their contract,
// and test_inclusionAVECSIZE, which nothing calls.
#include "mining/subsumption.h"
#include "store/set_primitives.h"
#include "support.h"

namespace {

TEST(Sets, Primitives) {
  int at = -7;
  EXPECT_TRUE(containsAvecPos({4, 7, 7}, 7, at));
  EXPECT_EQ(at, 1);
  EXPECT_FALSE(containsAvecPos({4}, 9, at));
  EXPECT_EQ(at, 1) << "a miss leaves the position alone";
  Ints out{9};
  elements_en_commun({3, 1, 2, 1}, {1, 3}, out);
  elements_en_commun(out, {9}, out);
  EXPECT_EQ(out, (Ints{9, 3, 1, 1, 9})) << "the output passed as an input acts as a copy";

  // Ascending; descending (3, then 1 - 1); beyond the store; empty.
  const std::vector<std::pair<Ints, std::string>> rows = {
      {{1, 3}, "0|||, 2|||, 4|||"}, {{3, 1}, "1|||, 2|||, 4|||"},
      {{7, 2}, "0|||, 2|||, 3|||, 4|||"}, {{}, "0|||, 1|||, 2|||, 3|||, 4|||"}};
  for (const auto& [positions, left] : rows) {
    ens_tc = store("0|||, 1|||, 2|||, 3|||, 4|||");
    nettoyage_de_la_baseStandard(positions);
    EXPECT_EQ(text(ens_tc), left);
  }
  ens_tc.clear();
}

TEST(Sets, SizeAwareSubsumption) {
  const std::vector<std::pair<std::string, bool>> rows = {
      // The candidate first, then the list.
      {"2 3|10 11|5 6|7 8", false},
      {"2 3|10 11|5 6|7 8, 3 2|11 10|6 5|", true},  // D plays no part
      {"2 3|10 11|5 6|7 8, 2 3 4|10 11|5 6|7 8", false},
      {"2 3|10 11|5 6|7 8, 2 3|10 11 12|5 6|7 8", false},
      {"2 3|10 11|5 6|7 8, 2 3|10 11|5 6 4|7 8, 2 3|10 11|5 6|7 8", true},
      {"2 3|10 11|5 6|7 8, 2 4|10 11|5 6|7 8", false},
      {"2 3|10 11|5 6|7 8, 2 3|10 12|5 6|7 8", false},
      {"2 3|10 11|5 6|7 8, 2 3|10 11|5 4|7 8", false},
      {"1 1|10|5|7, 1 2|10|5|7", true},  // lengths count repetitions
  };
  for (const auto& [concepts, found] : rows) {
    Store list = store(concepts);
    const TriConcept candidate = list[0];
    list.erase(list.begin());
    bool flag = false, already = true;
    test_inclusionAVECSIZE(candidate, list, flag);
    test_inclusionAVECSIZE(candidate, list, already);
    EXPECT_EQ(flag, found) << concepts;
    EXPECT_TRUE(already) << concepts << ": the flag is never cleared";
  }
}

}  // namespace
