// The recommendation lists on the real year base: quadmine-evaluate's phases
// split at 2010, and the lists of every user of the whole base mined at
// 1 1 1 1 (440,651 reported concepts).
//
//   BM_EvaluateYear/2111, /1111   one evaluation, split at 2010 (--k 5,10,20):
//                                 counters split_s, mine_s, lists_s (building
//                                 the lists and scoring the five methods)
//   BM_EveryUser/KIND             the lists of every user of users_only.txt,
//                                 the year base mined once at 1 1 1 1 (outside
//                                 the timing); counters build_s (the index),
//                                 users, elements (listed in all)
// KIND: 0 resources first-seen, 1 resources by support, 2 resources by
// support without the user's own (the whole base), first 20, 3 users
// first-seen, 4 users by support.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "evaluate/metrics.h"
#include "evaluate/split_base.h"
#include "evaluate/training_run.h"
#include "evaluation/recommendation_lists.h"
#include "reference/reference_passes.h"
#include "util/file_handle.h"

using namespace quadmine;  // NOLINT: the tests and benchmarks use the program's names

namespace {

using Clock = std::chrono::steady_clock;

double seconds_since(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

const std::string kYear = std::string(QUADMINE_DATA_DIR) + "/lastfm_year.txt";

SplitBase split_year(int split) {
  FileHandle in(std::fopen(kYear.c_str(), "r"));
  if (!in) throw std::runtime_error("cannot open " + kYear);
  Result<SplitBase> parts = split_base(in.get(), kYear, split);
  if (!parts.ok()) throw std::runtime_error(parts.message());
  return std::move(parts.value());
}

Thresholds thresholds_of(long code) {  // 2111 -> 2 1 1 1
  const auto digit = [&](int place) { return static_cast<int>(code / place % 10); };
  return {digit(1000), digit(100), digit(10), digit(1)};
}

void BM_EvaluateYear(benchmark::State& state) {
  const Thresholds t = thresholds_of(state.range(0));
  double split_s = 0, mine_s = 0, lists_s = 0, concepts = 0;
  for (auto _ : state) {
    auto start = Clock::now();
    const SplitBase parts = split_year(2010);
    split_s = seconds_since(start);
    start = Clock::now();
    const Result<TrainingRun> run = mine_training(parts.training, t);
    if (!run.ok()) throw std::runtime_error(run.message());
    mine_s = seconds_since(start);
    start = Clock::now();
    const KnownResources training(parts.training_pairs), test(parts.test_pairs);
    const std::size_t ks[] = {5, 10, 20};
    const std::vector<Score> scores =
        score_methods({run->reported, run->served, training, test}, ks);
    benchmark::DoNotOptimize(scores.data());
    lists_s = seconds_since(start);
    concepts = static_cast<double>(run->reported.size());
  }
  state.counters["split_s"] = split_s;
  state.counters["mine_s"] = mine_s;
  state.counters["lists_s"] = lists_s;
  state.counters["concepts"] = concepts;
}

// The whole year base mined at 1 1 1 1, once.
struct Mined {
  TrainingRun run;
  KnownResources had;
};

const Mined& year_1111() {
  static std::unique_ptr<Mined> mined;
  if (!mined) {
    std::string base;
    FileHandle in(std::fopen(kYear.c_str(), "r"));
    if (!in) throw std::runtime_error("cannot open " + kYear);
    char buffer[1 << 16];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, in.get())) > 0;) {
      base.append(buffer, n);
    }
    Result<TrainingRun> run = mine_training(base, {1, 1, 1, 1});
    if (!run.ok()) throw std::runtime_error(run.message());
    mined = std::make_unique<Mined>(Mined{std::move(run.value()), base_resources(base)});
  }
  return *mined;
}

void BM_EveryUser(benchmark::State& state) {
  const Mined& mined = year_1111();
  const auto start = Clock::now();
  RecommendationLists lists(mined.run.reported);
  state.counters["build_s"] = seconds_since(start);
  const long kind = state.range(0);
  const ListOptions options{kind == 0 || kind == 3 ? Rank::FirstSeen : Rank::Support,
                            kind == 2 ? &mined.had : nullptr, kind == 2 ? 20 : kNoLimit};
  std::vector<int> list;
  double elements = 0;
  for (auto _ : state) {
    elements = 0;
    for (const ServedUser& user : mined.run.served) {
      if (kind <= 2) lists.resources(user.user, user.d, options, list);
      if (kind >= 3) lists.users(user.user, user.d, options, list);
      elements += static_cast<double>(list.size());
    }
  }
  state.counters["users"] = static_cast<double>(mined.run.served.size());
  state.counters["elements"] = elements;
  state.counters["concepts"] = static_cast<double>(mined.run.reported.size());
}

BENCHMARK(BM_EvaluateYear)->Arg(2111)->Arg(1111)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EveryUser)->DenseRange(0, 4)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
