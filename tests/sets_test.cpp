// The set primitives and the subsumption test that the differential check
// does not reach: containsAvecPos, erasure lists outside their contract, and
// test_inclusionAVECSIZE, which nothing calls.
#include "mining/subsumption.h"
#include "store/set_primitives.h"
#include "support.h"

namespace {

TEST(Sets, Primitives) {
  int at = -7;
  EXPECT_TRUE(containsAvecPos({4, 7, 7}, 7, at) && at == 1);
  EXPECT_TRUE(!containsAvecPos({4}, 9, at) && at == 1) << "a miss leaves the position alone";
  Ints out{9, 3};
  elements_en_commun(out, {9}, out);
  EXPECT_EQ(out, (Ints{9, 3, 9})) << "the output passed as an input acts as a copy";
  // Positions outside the contract: descending (3, then 1 - 1); beyond the store.
  for (const auto& [positions, left] : std::vector<std::pair<Ints, std::string>>{
           {{1, 3}, "0|||, 2|||, 4|||"}, {{3, 1}, "1|||, 2|||, 4|||"}, {{7, 2}, "0|||, 2|||, 3|||, 4|||"}}) {
    ens_tc = store("0|||, 1|||, 2|||, 3|||, 4|||");
    nettoyage_de_la_baseStandard(positions);
    EXPECT_EQ(text(ens_tc), left);
  }
  ens_tc.clear();
}

TEST(Sets, SizeAwareSubsumption) {
  // The candidate first, then the list, and whether an equal copy is found.
  const std::vector<std::pair<std::string, bool>> rows = {
      {"2 3|10 11|5 6|7 8", false},
      {"2 3|10 11|5 6|7 8, 3 2|11 10|6 5|", true},  // D plays no part
      {"2 3|10 11|5 6|7 8, 2 3 4|10 11|5 6|7 8, 2 3|10 11 12|5 6|7 8, 2 3|10 11|5 6 4|7 8", false},
      {"2 3|10 11|5 6|7 8, 2 4|10 11|5 6|7 8, 2 3|10 12|5 6|7 8, 2 3|10 11|5 4|7 8", false},
      {"2 3|10 11|5 6|7 8, 2 3 4|10 11|5 6|7 8, 2 3|10 11|5 6|7 8", true},
      {"1 1|10|5|7, 1 2|10|5|7", true},  // lengths count repetitions
  };
  for (const auto& [concepts, found] : rows) {
    const Store list = store(concepts);
    bool flag = false, already = true;
    test_inclusionAVECSIZE(list[0], Store(list.begin() + 1, list.end()), flag);
    test_inclusionAVECSIZE(list[0], Store(list.begin() + 1, list.end()), already);
    EXPECT_EQ(flag, found) << concepts;
    EXPECT_TRUE(already) << concepts << ": the flag is never cleared";
  }
}

}  // namespace
