// The program's passes, report and evaluations against their plain forms
// (check_base in reference/reference_passes.h) on generated bases, with the
// second threads of the resource and D passes and the report as the program
// runs them, in one thread, and racing each other at the smallest sizes.
#include <algorithm>
#include <array>
#include <climits>
#include <cstdio>
#include <random>
#include <set>
#include <tuple>
#include <vector>

#include "evaluation/resource_recommendation.h"
#include "loader/loader.h"
#include "mining/extension_pass.h"
#include "mining/tag_pass.h"
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

// Wider domains: fewer groups and erasures, more concepts, so that the stores
// reach hundreds of concepts and the report's search many blocks.
std::string wide_base(int lines) {
  const int users = pick(8, 40), tags = pick(4, 20), resources = pick(4, 30), ds = pick(1, 4);
  std::string base;
  for (int written = 0; written < lines;) {
    const std::string key = " " + std::to_string(pick(0, tags)) + " " +
                            std::to_string(pick(0, resources)) + " " + std::to_string(pick(0, ds)) +
                            "\n";
    for (int k = pick(1, 5); k > 0 && written < lines; --k, ++written) {
      base += std::to_string(pick(0, users)) + key;
    }
  }
  return base;
}

// Dense communities: each with a few users, tags and resources, the first
// ones drawn most often, over a few periods, plus some uniform noise; distinct
// lines sorted by resource, D, tag and user. Many neighbours of a concept then
// make the same new concepts, or ones within each other.
std::string community_base(int lines) {
  const int communities = pick(1, 4), periods = pick(1, 5);
  const auto skewed = [](int count) {  // the first of `count` most often
    const int a = pick(0, count - 1);
    return std::min(a, pick(0, count - 1));
  };
  std::set<std::array<int, 4>> rows;  // resource, D, tag, user
  for (int tries = 0; static_cast<int>(rows.size()) < lines && tries < 20 * lines; ++tries) {
    if (pick(0, 9) == 0) {
      rows.insert({pick(0, 99), pick(0, periods), pick(0, 99), pick(0, 99)});
      continue;
    }
    const int c = skewed(communities);
    rows.insert({100 + 10 * c + skewed(6), 1 + pick(0, periods - 1), 100 + 10 * c + skewed(4),
                 100 + 20 * c + skewed(12)});
  }
  std::string base;
  for (const auto& [r, d, t, u] : rows) {
    base += std::to_string(u) + " " + std::to_string(t) + " " + std::to_string(r) + " " +
            std::to_string(d) + "\n";
  }
  return base;
}

// What the second threads did: of the resource pass, the D pass, the report.
struct PhaseCounts {
  AheadCounts resources, ds, report;
};

void count_into(ProgramOptions& options, PhaseCounts& counts) {
  options.resources.ahead.counts = &counts.resources;
  options.ds.ahead.counts = &counts.ds;
  options.report.ahead.counts = &counts.report;
}

void in_one_thread(ProgramOptions& options) {
  for (AheadOptions* ahead : {&options.resources.ahead, &options.ds.ahead, &options.report.ahead})
    ahead->second_thread = false;
}

// The smallest sizes: the finder of each pass hands over after one to three
// results or concepts, the report's search answers for blocks of one to eight
// ids, through rings of one or two buffers, with random pauses on both sides.
void racing(ProgramOptions& options) {
  for (ExtensionOptions* pass : {&options.resources, &options.ds}) {
    pass->ahead.ring = static_cast<std::size_t>(pick(1, 2));
    pass->found_per_buffer = static_cast<std::size_t>(pick(1, 3));
    pass->concepts_per_buffer = static_cast<std::size_t>(pick(1, 3));
    pass->ahead.pause = random_pause;
  }
  options.report.ahead.ring = static_cast<std::size_t>(pick(1, 2));
  options.report.block = static_cast<std::size_t>(pick(1, 8));
  options.report.share = static_cast<std::size_t>(pick(1, 3));
  options.report.ahead.pause = random_pause;
}

std::string summary(const char* what, const AheadCounts& c) {
  char line[200];
  std::snprintf(line, sizeof line,
                "%s: %zu runs (%zu threaded), %zu buffers, waits %zu producer / %zu consumer, "
                "work %zu",
                what, c.runs, c.threaded_runs, c.handed, c.producer_waits, c.consumer_waits,
                c.producer_work);
  return line;
}

// The racing runs really raced: every run had its second thread, each side
// waited for the other, the finders handed over several buffers a pass and
// compared candidates themselves, the report's search answered for more than
// one block a run (for many on larger stores: `report_blocks` a run) and
// walked the containers of concepts itself.
void expect_raced(const PhaseCounts& raced, std::size_t report_blocks) {
  for (const auto& [what, c, per_run] :
       {std::tuple{"resource pass", raced.resources, std::size_t{4}},
        std::tuple{"D pass", raced.ds, std::size_t{4}},
        std::tuple{"report", raced.report, report_blocks}}) {
    EXPECT_EQ(c.threaded_runs, c.runs) << summary(what, c);
    EXPECT_GT(c.handed, per_run * c.runs) << summary(what, c);
    EXPECT_GT(c.producer_waits, 0u) << summary(what, c);
    EXPECT_GT(c.consumer_waits, 0u) << summary(what, c);
    ::testing::Test::RecordProperty(what, summary(what, c));
  }
  EXPECT_GT(raced.resources.producer_work, raced.resources.runs) << "the finder compared";
  EXPECT_GT(raced.ds.producer_work, raced.ds.runs) << "the finder compared";
  EXPECT_GT(raced.report.producer_work, raced.report.runs) << "the search walked containers";
}

TEST(Differential, GeneratedBases) {
  PhaseCounts raced, as_run;
  for (int round = 0; round < 1500; ++round) {
    // One base in four is long enough for the tag pass's window of 50.
    const std::string base =
        generated_base(round % 4 == 0 ? pick(200, 320) : pick(0, 60), round % 3 == 1);
    const MinSupp m{pick(1, 3), pick(1, 3), pick(1, 3), pick(1, 3)};
    // One base in five runs in one thread, two in five race the threads at
    // the smallest sizes, the others run as the program does. All agree with
    // the plain forms, so with each other.
    ProgramOptions options;
    if (round % 5 == 2) {
      in_one_thread(options);
    } else if (round % 5 == 1 || round % 5 == 4) {
      racing(options);
      count_into(options, raced);
    } else {
      count_into(options, as_run);
    }
    ASSERT_EQ(check_base(base, m, options), "") << "minsupp " << m.u << m.t << m.r << m.d << ":\n"
                                                << base;
  }
  expect_raced(raced, 1);
  for (const auto& [what, c] : {std::pair{"resource pass", as_run.resources},
                                std::pair{"D pass", as_run.ds}, std::pair{"report", as_run.report}})
    ::testing::Test::RecordProperty(std::string("as run: ") + what, summary(what, c));
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

// What the program leaves from `base`: the store after its D pass, the two
// report files, the store and the reported concepts after the report.
std::string program_outputs(const std::string& base, const MinSupp& m,
                            const ProgramOptions& options) {
  reset_run_state();
  minsupp_u = m.u, minsupp_t = m.t, minsupp_r = m.r, minsupp_d = m.d;
  std::FILE* input = std::tmpfile();
  std::fputs(base.c_str(), input);
  std::rewind(input);
  fp = input;
  const bool loaded = load_la_base().ok();
  std::fclose(input);
  if (!loaded) return kRejected;
  find_ts_v3();
  const Thresholds thresholds = thresholds_from_globals();
  extend_resources(ens_tc, thresholds, options.resources);
  extend_ds(ens_tc, thresholds, options.ds);
  std::string outputs = text(ens_tc);
  std::FILE* concepts = std::tmpfile();
  std::FILE* users = std::tmpfile();
  write_report(ens_tc, ens_tc2, thresholds, concepts, users, options.report);
  outputs +=
      "\n" + contents(concepts) + "\n" + contents(users) + text(ens_tc) + "\n" + text(ens_tc2);
  std::fclose(concepts);
  std::fclose(users);
  reset_run_state();
  return outputs;
}

// Larger bases, racing at the smallest sizes (two draws of them a base): the
// same results as the plain forms and as one thread, with many blocks for the
// report's search.
TEST(Differential, RacingOnWiderBases) {
  PhaseCounts raced;
  for (int round = 0; round < 16; ++round) {
    const std::string base = wide_base(pick(300, 1000));
    const MinSupp m{pick(1, 2), 1, 1, 1};
    ProgramOptions options, again, alone;
    racing(options);
    count_into(options, raced);
    ASSERT_EQ(check_base(base, m, options), "") << "minsupp " << m.u << m.t << m.r << m.d << ":\n"
                                                << base;
    racing(again);
    in_one_thread(alone);
    ASSERT_EQ(program_outputs(base, m, again), program_outputs(base, m, alone)) << base;
  }
  expect_raced(raced, 20);
}

// Dense communities, in one thread, as the program runs and racing at the
// smallest sizes: the same results as the plain forms.
TEST(Differential, DenseCommunities) {
  for (int round = 0; round < 24; ++round) {
    const std::string base = community_base(pick(100, 500));
    const MinSupp m{pick(1, 3), pick(1, 2), pick(1, 2), 1};
    ProgramOptions options;
    if (round % 3 == 1) in_one_thread(options);
    if (round % 3 == 2) racing(options);
    ASSERT_EQ(check_base(base, m, options), "") << "minsupp " << m.u << m.t << m.r << m.d << ":\n"
                                                << base;
  }
}

}  // namespace
