// The program's loader, passes, report and evaluations against their plain
// forms on generated bases (see check_base.h).
#include <random>

#include "support.h"

namespace {

// Small domains make groups, containments, repeated lines and erasures
// frequent. Lines come in runs sharing tag, resource and D (as in sorted
// bases); ids may be negative; blank lines, tabs and CRLF ends appear.
std::string generate_base(std::mt19937& rng, int lines) {
  const auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  const int low = pick(-2, 1), users = pick(1, 6), tags = pick(0, 4), resources = pick(0, 3),
            ds = pick(0, 2);
  std::string base;
  for (int written = 0; written < lines;) {
    const std::string key = std::to_string(pick(low, low + tags)) + "\t" +
                            std::to_string(pick(low, low + resources)) + " " +
                            std::to_string(pick(low, low + ds));
    for (int k = pick(1, 4); k > 0 && written < lines; --k, ++written) {
      base += std::to_string(pick(low, low + users)) + " " + key + (pick(0, 9) ? "\n" : "\r\n");
      if (pick(0, 29) == 0) base += "\n";
    }
  }
  return base;
}

TEST(Differential, GeneratedBasesAgreeWithThePlainForms) {
  std::mt19937 rng(20261207);
  const auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  for (int round = 0; round < 1500; ++round) {
    // One base in four is long enough for the tag pass's window of 50.
    const std::string base = generate_base(rng, round % 4 == 0 ? pick(200, 320) : pick(0, 60));
    const MinSupp th{pick(1, 3), pick(1, 3), pick(1, 3), pick(1, 3)};
    ASSERT_EQ(check_base(base, th), "") << "round " << round << ", thresholds " << th.u << ' '
                                        << th.t << ' ' << th.r << ' ' << th.d << ", base:\n"
                                        << base;
  }
}

}  // namespace
