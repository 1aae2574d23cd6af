// A whole run, phase by phase, on prefixes of the real bases, on synthetic
// bases and on dense community bases: load, tag pass, resource pass, D pass,
// report, resource recommendation, user proposition. Each case runs once, in a
// child process of its own, so that its peak memory (max_rss_mb) is its own. Counters give each
// phase's seconds and the number of concepts after each step. Cases named
// "plain" run the plain reference passes and report instead of the indexed
// ones, for before/after figures.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "community_base.h"
#include "evaluation/resource_recommendation.h"
#include "evaluation/user_proposition.h"
#include "loader/loader.h"
#include "mining/extension_pass.h"
#include "mining/tag_pass.h"
#include "output/report.h"
#include "reference/reference_passes.h"
#include "store/globals.h"
#include "synthetic_base.h"

using namespace quadmine;  // NOLINT: the tests and benchmarks use the program's names

namespace {

constexpr int kPhases = 7;
const char* const kPhaseNames[kPhases] = {"load_s",   "tag_s",       "resource_s", "d_s",
                                          "report_s", "recommend_s", "propose_s"};
constexpr int kCounts = 5;
const char* const kCountNames[kCounts] = {"loaded", "after_tag", "after_resource", "after_d",
                                          "reported"};

struct Measure {
  double seconds[kPhases] = {};
  double counts[kCounts] = {};
  long max_rss_kb = 0;
  bool ok = false;
};

struct Case {
  std::string file;  // a base of the data folder, or empty for a generated one
  long lines = 0;    // prefix length (0: whole file), or generated size
  int thresholds[4] = {2, 1, 1, 1};
  bool plain = false;
  bool dense = false;  // generated: a dense community base instead of a synthetic one
};

std::string base_text(const Case& c) {
  if (c.file.empty() && c.dense) {
    CommunityShape shape;
    shape.lines = c.lines;
    return make_community_base(shape);
  }
  if (c.file.empty()) {
    BaseShape shape;
    shape.lines = c.lines;
    return make_synthetic_base(shape);
  }
  std::ifstream in(std::string(QUADMINE_DATA_DIR) + "/" + c.file);
  std::string text, line;
  for (long n = 0; (c.lines == 0 || n < c.lines) && std::getline(in, line); ++n) {
    text += line;
    text += '\n';
  }
  return text;
}

// Runs the pipeline in this process (the child).
Measure run_pipeline(const Case& c) {
  Measure m;
  const std::string text = base_text(c);
  if (text.empty()) return m;
  std::freopen("/dev/null", "w", stdout);  // the evaluations print their texts
  reset_run_state();
  minsupp_u = c.thresholds[0];
  minsupp_t = c.thresholds[1];
  minsupp_r = c.thresholds[2];
  minsupp_d = c.thresholds[3];
  fp = fmemopen(const_cast<char*>(text.data()), text.size(), "r");
  std::FILE* concepts = std::tmpfile();
  std::FILE* users = std::tmpfile();
  if (fp == nullptr || concepts == nullptr || users == nullptr) return m;

  using Clock = std::chrono::steady_clock;
  auto mark = Clock::now();
  const auto lap = [&](int phase) {
    const auto now = Clock::now();
    m.seconds[phase] = std::chrono::duration<double>(now - mark).count();
    mark = now;
  };
  if (!load_la_base().ok()) return m;
  m.counts[0] = static_cast<double>(ens_tc.size());
  lap(0);
  c.plain ? reference::find_ts_v3() : find_ts_v3();
  m.counts[1] = static_cast<double>(ens_tc.size());
  lap(1);
  c.plain ? reference::find_rs() : find_rs();
  m.counts[2] = static_cast<double>(ens_tc.size());
  lap(2);
  c.plain ? reference::find_ds() : find_ds();
  m.counts[3] = static_cast<double>(ens_tc.size());
  lap(3);
  if (c.plain) {
    std::string report, user_lines;
    reference::write_report(report, user_lines);
    std::fwrite(report.data(), 1, report.size(), concepts);
    std::fwrite(user_lines.data(), 1, user_lines.size(), users);
  } else {
    write_report(ens_tc, ens_tc2, thresholds_from_globals(), concepts, users, ReportOptions{});
  }
  std::fflush(users);
  m.counts[4] = static_cast<double>(ens_tc2.size());
  lap(4);
  recomm_generale(users);
  lap(5);
  recomm_generale_users(users);
  lap(6);

  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  m.max_rss_kb = usage.ru_maxrss;
  m.ok = true;
  return m;
}

void BM_Pipeline(benchmark::State& state, const Case& c) {
  for (auto _ : state) {
    int fds[2];
    if (pipe(fds) != 0) {
      state.SkipWithError("pipe failed");
      return;
    }
    const pid_t pid = fork();
    if (pid == 0) {
      close(fds[0]);
      const Measure m = run_pipeline(c);
      const ssize_t written = write(fds[1], &m, sizeof m);
      _exit(written == static_cast<ssize_t>(sizeof m) ? 0 : 1);
    }
    close(fds[1]);
    Measure m;
    const ssize_t got = read(fds[0], &m, sizeof m);
    close(fds[0]);
    waitpid(pid, nullptr, 0);
    if (got != static_cast<ssize_t>(sizeof m) || !m.ok) {
      state.SkipWithError("the run failed (is the data folder there?)");
      return;
    }
    double total = 0;
    for (int p = 0; p < kPhases; ++p) {
      total += m.seconds[p];
      state.counters[kPhaseNames[p]] = m.seconds[p];
    }
    for (int k = 0; k < kCounts; ++k) state.counters[kCountNames[k]] = m.counts[k];
    state.counters["max_rss_mb"] = static_cast<double>(m.max_rss_kb) / 1024.0;
    state.SetIterationTime(total);
  }
}

void add(const std::string& name, const Case& c) {
  benchmark::RegisterBenchmark(name.c_str(), BM_Pipeline, c)
      ->Iterations(1)
      ->UseManualTime()
      ->Unit(benchmark::kMillisecond);
}

std::string line_label(long lines) { return lines == 0 ? "all" : std::to_string(lines); }

int register_cases() {
  for (const long lines : {5000L, 10000L, 20000L}) {
    add("plain/year/" + line_label(lines) + "/2111",
        {"lastfm_year.txt", lines, {2, 1, 1, 1}, true});
  }
  for (const long lines : {5000L, 10000L, 20000L, 50000L, 100000L, 0L}) {
    add("year/" + line_label(lines) + "/2111", {"lastfm_year.txt", lines, {2, 1, 1, 1}, false});
  }
  add("year/all/2211", {"lastfm_year.txt", 0, {2, 2, 1, 1}, false});
  add("year/all/3111", {"lastfm_year.txt", 0, {3, 1, 1, 1}, false});
  add("month/all/2111", {"lastfm_month.txt", 0, {2, 1, 1, 1}, false});
  add("year/all/1111", {"lastfm_year.txt", 0, {1, 1, 1, 1}, false});
  add("year/all/1211", {"lastfm_year.txt", 0, {1, 2, 1, 1}, false});
  add("month/all/1111", {"lastfm_month.txt", 0, {1, 1, 1, 1}, false});
  for (const long lines : {100000L, 250000L, 500000L, 1000000L}) {
    add("synthetic/" + std::to_string(lines) + "/2111", {"", lines, {2, 1, 1, 1}, false});
  }
  for (const long lines : {10000L, 30000L, 100000L}) {
    add("dense/" + std::to_string(lines) + "/2111", {"", lines, {2, 1, 1, 1}, false, true});
  }
  return 0;
}

const int registered = register_cases();

}  // namespace

BENCHMARK_MAIN();
