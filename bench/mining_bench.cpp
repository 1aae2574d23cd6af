// The three mining passes, each timed on its own, on prefixes of the real
// year base. Loading happens once per prefix, outside the timing; its time is
// reported as the counter load_ms. Each pass starts from the store that the
// passes before it left (computed untimed when not yet at hand, otherwise
// taken from the previous benchmark) and runs once: the plain passes are
// quadratic or worse in the number of concepts.
//
// Arguments: number of base lines; for the resource and D passes also
// minsupp_t (thresholds are 2 t 1 1; the tag pass only uses minsupp_u = 2).
// Counters: lines read, concepts before and after the pass.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "loader/loader.h"
#include "mining/extension_pass.h"
#include "mining/tag_pass.h"
#include "store/globals.h"

using namespace quadmine;  // NOLINT: the tests and benchmarks use the program's names

namespace {

using Store = std::vector<TriConcept>;
using File = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

// The first `lines` lines of the year base in a temporary file.
File base_prefix(long lines) {
  const std::string path = std::string(QUADMINE_DATA_DIR) + "/lastfm_year.txt";
  File in(std::fopen(path.c_str(), "r"), &std::fclose);
  if (!in) throw std::runtime_error("cannot open " + path);
  File out(std::tmpfile(), &std::fclose);
  if (!out) throw std::runtime_error("tmpfile failed");
  char buffer[256];
  for (long copied = 0; copied < lines && std::fgets(buffer, sizeof buffer, in.get()); ++copied) {
    std::fputs(buffer, out.get());
  }
  std::rewind(out.get());
  return out;
}

void set_thresholds(int min_tags) {
  minsupp_u = 2;
  minsupp_t = min_tags;
  minsupp_r = 1;
  minsupp_d = 1;
}

struct Loaded {
  Store store;
  int lines = 0;
  double load_ms = 0;
};

const Loaded& loaded(long lines) {
  static std::map<long, Loaded> cache;
  const auto found = cache.find(lines);
  if (found != cache.end()) return found->second;

  reset_run_state();
  set_thresholds(1);
  File base = base_prefix(lines);
  fp = base.get();
  const auto start = std::chrono::steady_clock::now();
  if (!load_la_base().ok()) throw std::runtime_error("load failed");
  const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
  Loaded result{std::move(ens_tc), ijk, took.count()};
  reset_run_state();
  return cache.emplace(lines, std::move(result)).first->second;
}

enum class Pass { Tag, Resource, D };

// Store after `pass` for a prefix and minsupp_t (the tag pass ignores it).
std::map<std::pair<Pass, std::pair<long, int>>, Store>& results() {
  static std::map<std::pair<Pass, std::pair<long, int>>, Store> cache;
  return cache;
}

std::pair<Pass, std::pair<long, int>> key(Pass pass, long lines, int min_tags) {
  return {pass, {lines, pass == Pass::Tag ? 0 : min_tags}};
}

void run_pass(Pass pass) {
  switch (pass) {
    case Pass::Tag:
      find_ts_v3();
      break;
    case Pass::Resource:
      find_rs();
      break;
    case Pass::D:
      find_ds();
      break;
  }
}

// Puts into ens_tc the store that `pass` starts from.
void prepare_input(Pass pass, long lines, int min_tags) {
  const Loaded& base = loaded(lines);
  reset_run_state();
  set_thresholds(min_tags);
  ijk = base.lines;
  if (pass == Pass::Tag) {
    ens_tc = base.store;
    return;
  }
  const Pass before = pass == Pass::Resource ? Pass::Tag : Pass::Resource;
  auto& cache = results();
  auto found = cache.find(key(before, lines, min_tags));
  if (found == cache.end()) {
    prepare_input(before, lines, min_tags);
    run_pass(before);
    found = cache.emplace(key(before, lines, min_tags), ens_tc).first;
  }
  ens_tc = found->second;
  ijk = base.lines;
  set_thresholds(min_tags);
}

void time_pass(benchmark::State& state, Pass pass) {
  const long lines = state.range(0);
  const int min_tags = pass == Pass::Tag ? 1 : static_cast<int>(state.range(1));
  std::size_t before = 0;
  try {
    for (auto _ : state) {
      state.PauseTiming();
      prepare_input(pass, lines, min_tags);
      before = ens_tc.size();
      state.ResumeTiming();
      run_pass(pass);
    }
  } catch (const std::exception& e) {
    state.SkipWithError(e.what());
    return;
  }
  results().emplace(key(pass, lines, min_tags), ens_tc);
  state.counters["lines"] = loaded(lines).lines;
  state.counters["load_ms"] = loaded(lines).load_ms;
  state.counters["before"] = static_cast<double>(before);
  state.counters["after"] = static_cast<double>(ens_tc.size());
  reset_run_state();
}

void BM_TagPass(benchmark::State& state) { time_pass(state, Pass::Tag); }
void BM_ResourcePass(benchmark::State& state) { time_pass(state, Pass::Resource); }
void BM_DPass(benchmark::State& state) { time_pass(state, Pass::D); }

constexpr long kPrefixes[] = {5000, 20000, 60000};

void tag_args(benchmark::internal::Benchmark* b) {
  for (const long lines : kPrefixes) b->Args({lines});
  b->ArgNames({"lines"})->Iterations(1)->Unit(benchmark::kMillisecond);
}

void threshold_args(benchmark::internal::Benchmark* b) {
  for (const long lines : kPrefixes) {
    for (const long min_tags : {1L, 2L}) b->Args({lines, min_tags});
  }
  b->ArgNames({"lines", "minsupp_t"})->Iterations(1)->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_TagPass)->Apply(tag_args);
BENCHMARK(BM_ResourcePass)->Apply(threshold_args);
BENCHMARK(BM_DPass)->Apply(threshold_args);

}  // namespace

BENCHMARK_MAIN();
