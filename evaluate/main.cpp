// quadmine-evaluate: mines the past of a base (the lines with d < SPLIT) as
// quadmine would, recommends resources to its users by five methods, and
// measures how many of the resources they took up in the future (the other
// lines) each method found. It writes no file.
//
// Exit status: 0 after printing (and after -h, --help and --version), 1 after
// any error (the command line, a base that cannot be read or is not a base, a
// SPLIT that leaves either part empty, memory), with a message on standard
// error.

#include <cstdio>
#include <new>
#include <string>
#include <utility>

#include "evaluate/command_line.h"
#include "evaluate/metrics.h"
#include "evaluate/printout.h"
#include "evaluate/split_base.h"
#include "evaluate/training_run.h"
#include "evaluation/known_resources.h"
#include "util/file_handle.h"
#include "util/status.h"
#include "util/version.h"

namespace quadmine {

namespace {

constexpr const char* kProgram = "quadmine-evaluate";

int fail(const std::string& message) {
  std::fprintf(stderr, "%s: %s\n", kProgram, message.c_str());
  return 1;
}

Result<EvaluationReport> evaluate(const EvaluateOptions& options) {
  Result<SplitBase> parts = [&]() -> Result<SplitBase> {
    const Result<FileHandle> in = open_for_reading(options.base);
    if (!in.ok()) return in.status();
    return split_base(in.value().get(), options.base, options.split);
  }();
  if (!parts.ok()) return parts.status();
  const Result<TrainingRun> run = mine_training(parts->training, options.thresholds);
  if (!run.ok()) return run.status();
  const KnownResources training(std::move(parts->training_pairs));
  const KnownResources test(std::move(parts->test_pairs));
  const EvaluationData data{run->reported, run->served, training, test};

  EvaluationReport report;
  report.base = options.base;
  report.split = options.split;
  report.thresholds = options.thresholds;
  report.training_lines = parts->training_lines;
  report.test_lines = parts->test_lines;
  report.concepts = run->reported.size();
  report.evaluated_users = evaluated_users(data).size();
  report.scores = score_methods(data, options.ks);
  return report;
}

int run_command(int argc, char** argv) {
  const Result<EvaluateOptions> options = parse_evaluate_options(argc, argv);
  if (!options.ok()) return fail(options.message() + "\nTry 'quadmine-evaluate --help'.");
  if (options->request == Request::Help) {
    std::fputs(kEvaluateUsage, stdout);
    return 0;
  }
  if (options->request == Request::Version) {
    std::printf("%s %s\n", kProgram, project_version());
    return 0;
  }
  const Result<EvaluationReport> report = evaluate(options.value());
  if (!report.ok()) return fail(report.message());
  print_report(stdout, report.value(), options->format);
  if (options->format == EvaluateFormat::Tsv) {
    std::fprintf(stderr, "%s: %s\n", kProgram, count_line(report.value()).c_str());
  }
  if (report->evaluated_users == 0) {
    std::fprintf(stderr,
                 "%s: warning: no user of the training run has a test line; every average is "
                 "0\n",
                 kProgram);
  }
  if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) return fail("cannot write the output");
  return 0;
}

}  // namespace

}  // namespace quadmine

int main(int argc, char** argv) {
  try {
    return quadmine::run_command(argc, argv);
  } catch (const std::bad_alloc&) {
    return quadmine::fail("out of memory");
  }
}
