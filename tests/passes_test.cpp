// Hand-derived examples of the three mining passes and the report: each row
// is a store and thresholds before, and the whole store after. Every row runs
// through the program's form and the plain reference form.
#include "mining/extension_pass.h"
#include "mining/tag_pass.h"
#include "output/report.h"
#include "reference/reference_passes.h"
#include "support.h"

namespace {

struct Row {
  const char* what;
  std::string before;
  MinSupp th;
  int lines;  // lines of the base the store came from (the tag pass's window)
  std::string after;
};

void set_state(const std::string& before, const MinSupp& th, int lines = 0) {
  reset_run_state();
  ens_tc = store(before);
  minsupp_u = th.u, minsupp_t = th.t, minsupp_r = th.r, minsupp_d = th.d;
  ijk = lines;
}

void expect_rows(void (*program)(), void (*plain)(), const std::vector<Row>& rows) {
  for (const Row& row : rows) {
    for (const auto pass : {program, plain}) {
      set_state(row.before, row.th, row.lines);
      pass();
      EXPECT_EQ(text(ens_tc), row.after) << row.what << (pass == program ? "" : " (plain form)");
    }
  }
  reset_run_state();
}

// 52 concepts with a resource each, but for the two at p and p + 1.
std::string pair_at(int p, bool merged) {
  Store s;
  for (int k = 0; k < 52; ++k) s.push_back(store("3 4|" + std::to_string(20 + k) + "|" + std::to_string(100 + k) + "|7")[0]);
  s[p] = store("1 2|10|5|7")[0];
  s[p + 1] = store("1 2|11|5|7")[0];
  if (merged) s[p].ts = {10, 11}, s.erase(s.begin() + p + 1);
  return text(s);
}

TEST(Passes, TagPass) {
  const std::string common = "1 2 3|10|5|7, 2 3 4|11|5|7, 8 9|15|6|7, 8 9|16|6|7";
  expect_rows(find_ts_v3, reference::find_ts_v3, {
    {"hand-derived example",
     "1 2 3|10|5|7, 1 2 3|11|5|7, 2 3 4|12|5|7, 2 3 6|14|5|7, 1 2 3 4|13|5|7, 8 9|15|6|7, 8 9|16|6|7, 8 9|17|6|7",
     {2, 1, 1, 1}, 22,
     "1 2 3|10 11 13|5|7, 2 3 4|12 13|5|7, 2 3 6|14|5|7, 1 2 3 4|13|5|7, 8 9|15|6|7, 8 9|16|6|7, "
     "8 9|17|6|7, 2 3|10 11 12 13 14|5|7"},
    {"no concept left at the current position",
     "1 2|10|5|7, 1 2|11|5|7, 1 2|12|5|7, 1 2|13|5|7, 1 2|14|5|7", {2, 1, 1, 1}, 10,
     "1 2|10 11 12 13 14|5|7"},
    {"the current concept erased; the bound is tested before the erasure",
     "1 2|10|5|7, 1 2|11|5|7, 1 2 3|12|5|7, 1 2 3|13|5|7, 8 9|15|6|7, 8 9|16|6|7, 8 9|17|6|7",
     {2, 1, 1, 1}, 16, "1 2|10 11 12 13|5|7, 1 2 3|12 13|5|7, 8 9|15 16 17|6|7"},
    {"merge phase: the stored concept with the new one's users leaves",
     "1 2 3|10|5|7, 2 3 4|12|5|7, 2 3|18|5|7, 8 9|15|6|7, 8 9|16|6|7, 8 9|17|6|7", {2, 1, 1, 1}, 14,
     "1 2 3|10|5|7, 2 3 4|12|5|7, 8 9|15|6|7, 8 9|16|6|7, 8 9|17|6|7, 2 3|10 12 18|5|7"},
    {"two common users reach minsupp_u 2", common, {2, 1, 1, 1}, 10, common + ", 2 3|10 11|5|7"},
    {"two common users miss minsupp_u 3", common, {3, 1, 1, 1}, 10, common},
    {"one common user reaches minsupp_u 1", "1 2|10|5|7, 2 3|11|5|7, 8 9|15|6|7, 8 9|16|6|7",
     {1, 1, 1, 1}, 8, "1 2|10|5|7, 2 3|11|5|7, 8 9|15|6|7, 8 9|16|6|7, 2|10 11|5|7"},
    {"199 lines: window 3", pair_at(2, false), {2, 1, 1, 1}, 199, pair_at(2, true)},
    {"200 lines: window 50, position 2 has 49 after it", pair_at(2, false), {2, 1, 1, 1}, 200,
     pair_at(2, false)},
    {"200 lines: window 50, position 1 has 50 after it", pair_at(1, false), {2, 1, 1, 1}, 200,
     pair_at(1, true)},
  });
}

TEST(Passes, ResourcePass) {  // minsupp_r plays no part
  const std::string gate = "1 2|10 10|100|7, 1 2|10|101|7, 1 2|10 10|102|8";
  const std::string two = "1 2 3|10 11 12|100|7 8, 2 3 4|10 11 13|101|7 8 9";
  expect_rows(find_rs, reference::find_rs, {
    {"hand-derived example",
     "1 2|10 11|100|7, 1 2|10 11|101|7, 1 2 3|10 11 12|102|7 8, 2 3|11 12|103|8, 2 3 4|11 12 13|103|8 9",
     {2, 2, 99, 1}, 0,
     "1 2|10 11|100 101 102|7, 1 2 3|10 11 12|102|7 8, 2 3|11 12|103|8, 2 3 4|11 12 13|103|8 9, "
     "2 3|11 12|102 103|8"},
    {"below minsupp_t nothing takes part", gate, {2, 2, 99, 1}, 0, gate},
    {"the same store with minsupp_t 1", gate, {2, 1, 99, 1}, 0,
     "1 2|10 10|100 101|7, 1 2|10|101|7, 1 2|10 10|102|8"},
    {"common lists of exactly the thresholds", two, {2, 2, 99, 2}, 0, two + ", 2 3|10 11|100 101|7 8"},
    {"two common users miss minsupp_u 3", two, {3, 2, 99, 2}, 0, two},
    {"two common tags miss minsupp_t 3", two, {2, 3, 99, 2}, 0, two},
    {"two common D values miss minsupp_d 3", two, {2, 2, 99, 3}, 0, two},
  });
}

TEST(Passes, DPass) {
  const std::string example =
      "1 2|10 11|100 101|7, 1 2|10 11|100 101|8, 1 2 3|10 11|100 101 102|9, "
      "2 3 4|10 11 12|101 102 103|5, 2 3 5|10 11|101 102|5";
  const std::string example_after =
      "1 2|10 11|100 101|7 8 9, 1 2 3|10 11|100 101 102|9, 2 3 4|10 11 12|101 102 103|5, "
      "2 3 5|10 11|101 102|5, 2 3|10 11|101 102|9 5";
  const std::string gate = "1 2|10 11|5|9, 1 2|10 11|5 5|1, 1 2|10 11|5|2, 1 2|10 11|5 5|3";
  const std::string two = "1 2 3|10 11|5 6 7|1, 2 3 4|10 11|5 6 8|2";
  expect_rows(find_ds, reference::find_ds, {
    {"hand-derived example", example, {2, 2, 2, 1}, 0, example_after},
    {"minsupp_d plays no part", example, {2, 2, 2, 5}, 0, example_after},
    {"below minsupp_r nothing takes part", gate, {2, 2, 2, 1}, 0,
     "1 2|10 11|5|9, 1 2|10 11|5 5|1 3, 1 2|10 11|5|2"},
    {"the same store with minsupp_r 1", gate, {2, 2, 1, 1}, 0,
     "1 2|10 11|5|9 1 2 3, 1 2|10 11|5 5|1 3"},
    {"common resources of exactly minsupp_r", two, {2, 2, 2, 1}, 0, two + ", 2 3|10 11|5 6|1 2"},
    {"two common resources miss minsupp_r 3", two, {2, 2, 3, 1}, 0, two},
  });
}

TEST(Passes, Report) {
  set_state("1 2 3|10 11|100 101|5 6, -4|7|8|-9 3", {1, 1, 1, 1});
  std::FILE* files[] = {std::tmpfile(), std::tmpfile()};
  write_report(files[0], files[1]);
  EXPECT_EQ(read_stream(files[0]),
            "\nU = {1, 2, 3, },  T = {10, 11, },  R = {100, 101, },  D = {5, 6, }"
            "\nU = {-4, },  T = {7, },  R = {8, },  D = {-9, 3, }");
  EXPECT_EQ(read_stream(files[1]), "1 5\n2 5\n3 5\n-4 -9\n");
  for (std::FILE* f : files) std::fclose(f);

  const struct {
    const char* what;
    MinSupp th;
    std::string before, reported, after;
  } rows[] = {
    {"each threshold missed by one decides alone", {2, 2, 2, 2},
     "1|1 2|1 2|1 2, 3 4|3|3 4|3 4, 5 6|5 6|5|5 6, 7 8|7 8|7 8|7, 9 0|9 0|9 0|9 0", "9 0|9 0|9 0|9 0",
     "1|1 2|1 2|1 2, 3 4|3|3 4|3 4, 5 6|5 6|5|5 6, 7 8|7 8|7 8|7, 9 0|9 0|9 0|9 0"},
    {"equal copies leave even when a container hides the concept", {1, 1, 1, 1},
     "1 2|5|7|9, 2 1|5|7|9, 1 2|5|7|8, 1 2 3|5|7|9, 1 2|5|7|9", "1 2|5|7|8, 1 2 3|5|7|9",
     "1 2|5|7|9, 1 2|5|7|8, 1 2 3|5|7|9"},
    {"strict containment counts one way", {1, 1, 1, 1}, "1|5 6|7 8|9 10, 1 2|5 6|7 8|9 10",
     "1 2|5 6|7 8|9 10", "1|5 6|7 8|9 10, 1 2|5 6|7 8|9 10"},
    {"a repeated user counts a later concept as its equal copy", {2, 1, 1, 1},
     "1 1|5|7|9, 1 2|5|7|9", "1 1|5|7|9", "1 1|5|7|9"},
    {"an equal copy erased before the examined concept", {2, 1, 1, 1},
     "1 2|5|7|9, 1 1|5|7|9, 3 4|5|7|9", "1 2|5|7|9, 1 1|5|7|9, 3 4|5|7|9", "1 1|5|7|9, 3 4|5|7|9"},
  };
  for (const auto& row : rows) {
    for (const bool plain : {false, true}) {
      set_state(row.before, row.th);
      std::string concepts, users;
      std::FILE* sink = std::tmpfile();
      plain ? reference::write_report(concepts, users) : write_report(sink, sink);
      std::fclose(sink);
      EXPECT_EQ(text(ens_tc2), row.reported) << row.what << (plain ? " (plain form)" : "");
      EXPECT_EQ(text(ens_tc), row.after) << row.what << (plain ? " (plain form)" : "");
    }
  }
  reset_run_state();
}

}  // namespace
