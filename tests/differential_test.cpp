// The program's passes, report and evaluations against their plain forms
// (check_base in reference/reference_passes.h) on generated bases.
#include <climits>
#include <random>
#include <vector>

#include "evaluation/resource_recommendation.h"
#include "mining/extension_pass.h"
#include "output/report.h"
#include "support.h"

using namespace quadmine;  // NOLINT: the tests and benchmarks use the program's names

namespace {

std::mt19937 rng(20261207);

int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }

// Small domains make groups, containments, repeated lines and erasures
// frequent. Lines come in runs sharing tag, resource and D (as in sorted
// bases); ids may be negative. With `spread`, the ids are scattered over the
// whole int range instead of following each other, as hashed ids would.
std::string generated_base(int lines, bool spread) {
  const int low = pick(-2, 1), users = pick(1, 6), tags = pick(0, 4), resources = pick(0, 3),
            ds = pick(0, 2);
  std::vector<int> ids(16);
  for (int& id : ids) id = spread ? pick(INT_MIN + 1, INT_MAX) : 0;
  const auto id = [&](int lo, int count) {
    const int small = pick(lo, lo + count);
    return std::to_string(spread ? ids[static_cast<std::size_t>(small - low)] : small);
  };
  std::string base;
  for (int written = 0; written < lines;) {
    const std::string key =
        " " + id(low, tags) + " " + id(low, resources) + " " + id(low, ds) + "\n";
    for (int k = pick(1, 4); k > 0 && written < lines; --k, ++written) base += id(low, users) + key;
  }
  return base;
}

TEST(Differential, GeneratedBases) {
  for (int round = 0; round < 1500; ++round) {
    // One base in four is long enough for the tag pass's window of 50.
    const std::string base =
        generated_base(round % 4 == 0 ? pick(200, 320) : pick(0, 60), round % 3 == 1);
    const MinSupp m{pick(1, 3), pick(1, 3), pick(1, 3), pick(1, 3)};
    // One base in five has the passes find neighbours, and the report
    // containers, without a second thread.
    use_finder_thread(round % 5 != 2);
    use_container_thread(round % 5 != 2);
    ASSERT_EQ(check_base(base, m), "") << "minsupp " << m.u << m.t << m.r << m.d << ":\n" << base;
  }
  use_finder_thread(true);
  use_container_thread(true);
}

// The passes keep which elements two concepts share as 64-bit words, one run
// of words per set: sets of 63 to 129 users, around one and two words.
TEST(Differential, SetsAroundAWordOfElements) {
  for (const int users : {63, 64, 65, 128, 129}) {
    std::string base;
    for (int u = 1; u <= users; ++u) base += std::to_string(u) + " 1 1 1\n";
    for (int u = 2; u <= users + 1; ++u) base += std::to_string(u) + " 1 2 1\n";
    for (int u = 1; u <= users; u += 2) base += std::to_string(u) + " 1 2 2\n";
    ASSERT_EQ(check_base(base, {1, 1, 1, 1}), "") << users << " users";
  }
}

// users_only.txt is the program's own file; a line without two integers in it
// is skipped all the same.
TEST(Differential, EvaluationsSkipLinesWithoutTwoIntegers) {
  reset_run_state();
  ens_tc2 = store("1 2|10|100|5, 3|11|101|5, 7|12|102|0");
  std::FILE* users = std::tmpfile();
  std::fputs("x\n4\n1 5\n", users);
  EXPECT_EQ(printed_by([&] { recomm_generale(users); }).substr(0, 28),
            "\n Number of Unique Users : 1");
  std::fclose(users);
  reset_run_state();
}

}  // namespace
