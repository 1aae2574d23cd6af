// Hand-derived examples of the three mining passes and the report: each row
// holds a store before (concepts "U|T|R|D"), the thresholds u t r d and the
// number of base lines, and the whole store after. Every row runs through the
// program's form and the plain reference form. The report's text is compared
// in the runs of the program. Then what the differential check does not
// reach: containsAvecPos, erasure lists outside their contract, and
// test_inclusionAVECSIZE, which nothing calls.
#include "mining/extension_pass.h"
#include "mining/subsumption.h"
#include "mining/tag_pass.h"
#include "output/report.h"
#include "reference/reference_passes.h"
#include "store/set_primitives.h"
#include "support.h"

using namespace quadmine;  // NOLINT: the tests and benchmarks use the program's names

namespace {

using Rows = std::vector<std::tuple<const char*, std::string, MinSupp, int, std::string>>;
using Run = std::string (*)();  // runs one form on the stores, tells the outcome

void set_state(const std::string& before, const MinSupp& th, int lines) {
  reset_run_state();
  ens_tc = store(before);
  minsupp_u = th.u, minsupp_t = th.t, minsupp_r = th.r, minsupp_d = th.d;
  ijk = lines;
}

void expect_rows(Run program, Run plain, const Rows& rows) {
  for (const auto& [what, before, th, lines, after] : rows) {
    for (const Run run : {program, plain}) {
      set_state(before, th, lines);
      EXPECT_EQ(run(), after) << what << (run == program ? "" : " (plain form)");
    }
  }
  reset_run_state();
}

template <void (*pass)()>
std::string store_after() {
  pass();
  return text(ens_tc);
}

// The reported concepts, then the store left (a reported concept leaves
// "|||").
std::string report(bool plain) {
  std::string ignored;
  std::FILE* sink = std::tmpfile();
  plain ? reference::write_report(ignored, ignored)
        : write_report(ens_tc, ens_tc2, thresholds_from_globals(), sink, sink, ReportOptions{});
  std::fclose(sink);
  return text(ens_tc2) + " / " + text(ens_tc);
}

// 52 concepts with a resource each, but for the two at p and p + 1.
std::string pair_at(int p, bool merged) {
  std::string s = "1 2|10|5|7, 1 2|11|5|7";
  for (int k = 2; k < 52; ++k)
    s += ", 3 4|" + std::to_string(k) + "|" + std::to_string(100 + k) + "|7";
  Store pair_first = store(s);
  std::rotate(pair_first.begin(), pair_first.begin() + 2, pair_first.begin() + p + 2);
  if (merged) pair_first[p].ts = {10, 11}, pair_first.erase(pair_first.begin() + p + 1);
  return text(pair_first);
}

TEST(Passes, TagPass) {
  const std::string two = "1 2 3|10|5|7, 2 3 4|11|5|7, 8 9|15|6|7, 8 9|16|6|7";
  // clang-format off
  expect_rows(store_after<find_ts_v3>, store_after<reference::find_ts_v3>, {
    {"hand-derived example",
     "1 2 3|10|5|7, 1 2 3|11|5|7, 2 3 4|12|5|7, 2 3 6|14|5|7, 1 2 3 4|13|5|7, 8 9|15|6|7, "
     "8 9|16|6|7, 8 9|17|6|7", {2, 1, 1, 1}, 22,
     "1 2 3|10 11 13|5|7, 2 3 4|12 13|5|7, 2 3 6|14|5|7, 1 2 3 4|13|5|7, 8 9|15|6|7, 8 9|16|6|7, "
     "8 9|17|6|7, 2 3|10 11 12 13 14|5|7"},
    {"the current concept erased, the bound tested before the erasure",
     "1 2|10|5|7, 1 2|11|5|7, 1 2 3|12|5|7, 1 2 3|13|5|7, 8 9|15|6|7, 8 9|16|6|7, 8 9|17|6|7",
     {2, 1, 1, 1}, 16, "1 2|10 11 12 13|5|7, 1 2 3|12 13|5|7, 8 9|15 16 17|6|7"},
    {"merge phase", "1 2 3|10|5|7, 2 3 4|12|5|7, 2 3|18|5|7, 8 9|15|6|7, 8 9|16|6|7, 8 9|17|6|7",
     {2, 1, 1, 1}, 14,
     "1 2 3|10|5|7, 2 3 4|12|5|7, 8 9|15|6|7, 8 9|16|6|7, 8 9|17|6|7, 2 3|10 12 18|5|7"},
    {"two common users reach minsupp_u 2", two, {2, 1, 1, 1}, 10, two + ", 2 3|10 11|5|7"},
    {"two common users miss minsupp_u 3", two, {3, 1, 1, 1}, 10, two},
    {"199 lines: window 3", pair_at(2, false), {2, 1, 1, 1}, 199, pair_at(2, true)},
    {"200 lines: window 50, 49 after", pair_at(2, false), {2, 1, 1, 1}, 200, pair_at(2, false)},
    {"200 lines: window 50, 50 after", pair_at(1, false), {2, 1, 1, 1}, 200, pair_at(1, true)},
  });
  // clang-format on
}

TEST(Passes, ResourcePass) {  // minsupp_r plays no part
  const std::string two = "1 2 3|10 11 12|100|7 8, 2 3 4|10 11 13|101|7 8 9";
  // clang-format off
  expect_rows(store_after<find_rs>, store_after<reference::find_rs>, {
    {"hand-derived example",
     "1 2|10 11|100|7, 1 2|10 11|101|7, 1 2 3|10 11 12|102|7 8, 2 3|11 12|103|8, "
     "2 3 4|11 12 13|103|8 9", {2, 2, 99, 1}, 0,
     "1 2|10 11|100 101 102|7, 1 2 3|10 11 12|102|7 8, 2 3|11 12|103|8, 2 3 4|11 12 13|103|8 9, "
     "2 3|11 12|102 103|8"},
    {"common lists of exactly the thresholds", two, {2, 2, 99, 2}, 0,
     two + ", 2 3|10 11|100 101|7 8"},
    {"two common users miss minsupp_u 3", two, {3, 2, 99, 2}, 0, two},
  });
  // clang-format on
}

TEST(Passes, DPass) {  // minsupp_d plays no part
  const std::string two = "1 2 3|10 11|5 6 7|1, 2 3 4|10 11|5 6 8|2";
  // clang-format off
  expect_rows(store_after<find_ds>, store_after<reference::find_ds>, {
    {"hand-derived example",
     "1 2|10 11|100 101|7, 1 2|10 11|100 101|8, 1 2 3|10 11|100 101 102|9, "
     "2 3 4|10 11 12|101 102 103|5, 2 3 5|10 11|101 102|5", {2, 2, 2, 5}, 0,
     "1 2|10 11|100 101|7 8 9, 1 2 3|10 11|100 101 102|9, 2 3 4|10 11 12|101 102 103|5, "
     "2 3 5|10 11|101 102|5, 2 3|10 11|101 102|9 5"},
    {"common resources of exactly minsupp_r", two, {2, 2, 2, 1}, 0, two + ", 2 3|10 11|5 6|1 2"},
    {"two common resources miss minsupp_r 3", two, {2, 2, 3, 1}, 0, two},
  });
  // clang-format on
}

TEST(Passes, Report) {
  // clang-format off
  expect_rows([] { return report(false); }, [] { return report(true); }, {
    {"each threshold missed by one decides alone",
     "1|1 2|1 2|1 2, 3 4|3|3 4|3 4, 5 6|5 6|5|5 6, 7 8|7 8|7 8|7, 9 0|9 0|9 0|9 0", {2, 2, 2, 2}, 0,
     "9 0|9 0|9 0|9 0 / "
     "1|1 2|1 2|1 2, 3 4|3|3 4|3 4, 5 6|5 6|5|5 6, 7 8|7 8|7 8|7, |||"},
    {"equal copies leave even when a strict container hides the concept",
     "1 2|5|7|9, 2 1|5|7|9, 1 2|5|7|8, 1 2 3|5|7|9, 1 2|5|7|9", {1, 1, 1, 1}, 0,
     "1 2|5|7|8, 1 2 3|5|7|9 / 1 2|5|7|9, |||, |||"},
    {"repeated elements make sizes differ: each pair holds each other",
     "1|5 5|7|9, 1|5|7|9, 2|5|7 7|9, 2|5|7|9, 3|5|7|9 9, 3|5|7|9", {1, 1, 1, 1}, 0,
     " / 1|5 5|7|9, 1|5|7|9, 2|5|7 7|9, 2|5|7|9, 3|5|7|9 9, 3|5|7|9"},
    {"a repeated user counts a later concept as its equal copy", "1 1|5|7|9, 1 2|5|7|9",
     {2, 1, 1, 1}, 0, "1 1|5|7|9 / |||"},
    {"or an earlier one, erased before the examined concept", "1 2|5|7|9, 1 1|5|7|9, 3 4|5|7|9",
     {2, 1, 1, 1}, 0, "1 2|5|7|9, 1 1|5|7|9, 3 4|5|7|9 / |||, |||"},
  });
  // clang-format on
}

TEST(Sets, Primitives) {
  int at = -7;
  EXPECT_TRUE(containsAvecPos({4, 7, 7}, 7, at) && at == 1);
  EXPECT_TRUE(!containsAvecPos({4}, 9, at) && at == 1) << "a miss leaves the position alone";
  Ints out{9, 3};
  elements_en_commun(out, {9}, out);
  EXPECT_EQ(out, (Ints{9, 3, 9})) << "the output passed as an input acts as a copy";
  // Positions outside the contract: descending (3, then 1 - 1); beyond the store.
  for (const auto& [positions, left] :
       std::vector<std::pair<Ints, std::string>>{{{1, 3}, "0|||, 2|||, 4|||"},
                                                 {{3, 1}, "1|||, 2|||, 4|||"},
                                                 {{7, 2}, "0|||, 2|||, 3|||, 4|||"}}) {
    ens_tc = store("0|||, 1|||, 2|||, 3|||, 4|||");
    nettoyage_de_la_baseStandard(positions);
    EXPECT_EQ(text(ens_tc), left);
  }
  ens_tc.clear();
}

TEST(Sets, SizeAwareSubsumption) {
  // The candidate first, then the list, and whether an equal copy is found.
  // clang-format off
  const std::vector<std::pair<std::string, bool>> rows = {
      {"2 3|10 11|5 6|7 8", false},
      {"2 3|10 11|5 6|7 8, 3 2|11 10|6 5|", true},  // D plays no part
      {"2 3|10 11|5 6|7 8, 2 3 4|10 11|5 6|7 8, 2 3|10 11 12|5 6|7 8, 2 3|10 11|5 6 4|7 8", false},
      {"2 3|10 11|5 6|7 8, 2 4|10 11|5 6|7 8, 2 3|10 12|5 6|7 8, 2 3|10 11|5 4|7 8", false},
      // A later equal copy still counts.
      {"2 3|10 11|5 6|7 8, 2 3 4|10 11|5 6|7 8, 2 3|10 11 12|5 6|7 8, 2 3|10 11|5 6 4|7 8, "
       "2 4|10 11|5 6|7 8, 2 3|10 12|5 6|7 8, 2 3|10 11|5 4|7 8, 2 3|10 11|5 6|7 8", true},
      {"1 1|10|5|7, 1 2|10|5|7", true},  // lengths count repetitions
      {"1 1|10|5|7, 1|10|5|7", false},
  };
  // clang-format on
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
