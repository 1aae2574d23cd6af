// Loading the real bases: parsing and grouping only, no mining.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "loader/loader.h"
#include "store/globals.h"

using namespace quadmine;  // NOLINT: the tests and benchmarks use the program's names

namespace {

void load_file(benchmark::State& state, const char* name) {
  const std::string path = std::string(QUADMINE_DATA_DIR) + "/" + name;
  for (auto _ : state) {
    state.PauseTiming();
    reset_run_state();
    minsupp_u = static_cast<int>(state.range(0));
    std::FILE* f = std::fopen(path.c_str(), "r");
    if (f == nullptr) {
      state.SkipWithError(("cannot open " + path).c_str());
      return;
    }
    fp = f;
    state.ResumeTiming();

    const Result<LoadSummary> r = load_la_base();

    state.PauseTiming();
    std::fclose(f);
    if (!r.ok()) state.SkipWithError("load failed");
    state.counters["lines"] = ijk;
    state.counters["concepts"] = static_cast<double>(ens_tc.size());
    state.ResumeTiming();
  }
}

void BM_LoadYear(benchmark::State& state) { load_file(state, "lastfm_year.txt"); }
void BM_LoadMonth(benchmark::State& state) { load_file(state, "lastfm_month.txt"); }

BENCHMARK(BM_LoadYear)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadMonth)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
