// The two timed evaluations over the concepts reported for prefixes of the
// real year base (thresholds 2 1 1 1). Preparing a prefix (loading, the three
// mining passes, the report) happens once, outside the timing; each iteration
// then runs one evaluation loop over the stream of users_only.txt.
//
// Arguments: number of base lines (0 = the whole base), and whether the mining
// passes run (1) or the report takes the loader's concepts as they are (0).
// Mining 60,000 lines takes about a minute and a half; the whole base is only
// evaluated on the loader's concepts.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "evaluation/resource_recommendation.h"
#include "evaluation/timed_serving.h"
#include "evaluation/user_proposition.h"
#include "loader/loader.h"
#include "mining/extension_pass.h"
#include "mining/tag_pass.h"
#include "output/report.h"
#include "store/globals.h"
#include "store/set_primitives.h"

using namespace quadmine;  // NOLINT: the tests and benchmarks use the program's names

namespace {

using File = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

File open_temp() {
  File f(std::tmpfile(), &std::fclose);
  if (!f) throw std::runtime_error("tmpfile failed");
  return f;
}

struct Prepared {
  std::vector<TriConcept> reported;
  File users_only{nullptr, &std::fclose};
  int lines = 0;
  int user_lines = 0;
  int distinct_users = 0;
};

// The first `lines` lines (all when 0) of the year base in a temporary file.
File base_prefix(long lines) {
  const std::string path = std::string(QUADMINE_DATA_DIR) + "/lastfm_year.txt";
  File in(std::fopen(path.c_str(), "r"), &std::fclose);
  if (!in) throw std::runtime_error("cannot open " + path);
  File out = open_temp();
  char buffer[256];
  long copied = 0;
  while ((lines == 0 || copied < lines) && std::fgets(buffer, sizeof buffer, in.get()) != nullptr) {
    std::fputs(buffer, out.get());
    ++copied;
  }
  std::rewind(out.get());
  return out;
}

std::unique_ptr<Prepared> prepare(long lines, bool mine) {
  reset_run_state();
  File base = base_prefix(lines);
  fp = base.get();
  minsupp_u = 2;
  minsupp_t = 1;
  minsupp_r = 1;
  minsupp_d = 1;
  if (!load_la_base().ok()) throw std::runtime_error("load failed");
  if (mine) {
    find_ts_v3();
    find_rs();
    find_ds();
  }
  auto p = std::make_unique<Prepared>();
  File concepts = open_temp();
  p->users_only = open_temp();
  write_report(ens_tc, ens_tc2, thresholds_from_globals(), concepts.get(), p->users_only.get(),
               ReportOptions{});
  std::fflush(p->users_only.get());

  p->lines = ijk;
  p->reported = ens_tc2;
  std::vector<int> users;
  char line[100];
  std::rewind(p->users_only.get());
  while (std::fgets(line, sizeof line, p->users_only.get()) != nullptr) {
    int u = 0;
    int d = 0;
    if (std::sscanf(line, "%d %d", &u, &d) != 2) continue;
    ++p->user_lines;
    if (!containsStandard(users, u)) users.push_back(u);
  }
  p->distinct_users = static_cast<int>(users.size());
  reset_run_state();
  return p;
}

const Prepared& prepared(long lines, bool mine) {
  static std::map<std::pair<long, bool>, std::unique_ptr<Prepared>> cache;
  auto& slot = cache[{lines, mine}];
  if (!slot) slot = prepare(lines, mine);
  return *slot;
}

using PerUserComputation = void (*)(int user, int d, const ReportedIndex& index, EpochSet& seen,
                                    std::vector<int>& list);

void evaluate(benchmark::State& state, PerUserComputation compute) {
  const Prepared* p = nullptr;
  try {
    p = &prepared(state.range(0), state.range(1) != 0);
  } catch (const std::exception& e) {
    state.SkipWithError(e.what());
    return;
  }
  ServingTotals totals;
  for (auto _ : state) {
    const ReportedIndex index(p->reported);
    EpochSet seen(index.numbered());
    totals = time_each_user(p->users_only.get(), [&](int user, int d, std::vector<int>& list) {
      compute(user, d, index, seen, list);
    });
    benchmark::DoNotOptimize(totals);
  }
  state.counters["lines"] = p->lines;
  state.counters["concepts"] = static_cast<double>(p->reported.size());
  state.counters["user_lines"] = p->user_lines;
  state.counters["users"] = p->distinct_users;
  state.counters["served"] = totals.served;
  // The average the run itself would print for this evaluation (seconds).
  state.counters["printed_avg_s"] = static_cast<double>(average_seconds(totals));
}

void BM_ResourceRecommendation(benchmark::State& state) { evaluate(state, recommend_resources); }
void BM_UserProposition(benchmark::State& state) { evaluate(state, propose_users); }

void prefixes(benchmark::internal::Benchmark* b) {
  for (const long lines : {5000L, 20000L, 60000L}) b->Args({lines, 1});
  for (const long lines : {5000L, 20000L, 60000L, 0L}) b->Args({lines, 0});
  b->ArgNames({"lines", "mined"})->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_ResourceRecommendation)->Apply(prefixes);
BENCHMARK(BM_UserProposition)->Apply(prefixes);

}  // namespace

BENCHMARK_MAIN();
