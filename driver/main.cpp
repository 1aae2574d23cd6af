// quadmine: mines quadri-concepts from a base of (user, tag, resource, D)
// quadruples and writes them to quadri_concepts.txt and users_only.txt.
//
// Exit status: 0 after a complete run, 1 after any error (the command line,
// the base's content, the result files, or memory). The result files are
// replaced only once both were written whole; a failed or stopped run leaves
// those of an earlier run as they were.

#include <unistd.h>
#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "driver/command_line.h"
#include "evaluation/resource_recommendation.h"
#include "evaluation/user_proposition.h"
#include "loader/loader.h"
#include "mining/extension_pass.h"
#include "mining/tag_pass.h"
#include "output/report.h"
#include "output/result_files.h"
#include "store/thresholds.h"
#include "store/triconcept.h"
#include "util/progress.h"
#include "util/status.h"

namespace quadmine {
namespace {

// The data of one run. The driver owns it and hands each phase what it works
// on; no phase reads a global.
struct Run {
  std::vector<TriConcept> store;     // the working store
  std::vector<TriConcept> reported;  // the reported concepts, in report order
  Thresholds thresholds;
  int lines_read = 0;  // quadruple lines of the base
};

int fail(const Status& failure) {
  std::printf("\nERROR : %s...\n", failure.message().c_str());
  return 1;
}

void warn_split_runs(const RunSplit& split, const char* path) {
  if (split.keys == 0) return;
  std::fprintf(stderr,
               "quadmine: warning: %zu (tag, resource, D) triples of %s occur in more than one "
               "run of lines, the first again at line %ld; each run is mined as a group of its "
               "own. quadmine-prepare writes a base sorted by resource, D, tag and user.\n",
               split.keys, path, split.first_line);
}

// Hands the memory freed so far back to the system, so that what the next
// phase builds does not come on top of it: the C library keeps freed blocks
// for reuse, but large arrays are mapped anew. Called after the mining passes
// (before the report builds its index) and after the report (whose index is
// gone before the evaluations build theirs).
void give_back_free_memory() {
#ifdef __GLIBC__
  malloc_trim(0);
#endif
}

int run_phases(int argc, char** argv, Run& run) {
  Result<CommandLine> line = read_command_line(argc, argv);
  if (!line.ok()) {
    std::printf("%s", line.message().c_str());
    errors_input_line();
    return 1;
  }
  progress_enable(isatty(STDERR_FILENO) != 0);
  run.thresholds = line->thresholds;
  const Result<LoadSummary> loaded =
      load_base(line->base.get(), argv[1], run.thresholds.u, run.store);
  if (!loaded.ok()) return fail(loaded.status());
  warn_split_runs(loaded->split, argv[1]);
  run.lines_read = loaded->lines;

  extend_tags(run.store, run.lines_read, run.thresholds.u);
  const ExtensionOptions pass_options;
  extend_resources(run.store, run.thresholds, pass_options);
  extend_ds(run.store, run.thresholds, pass_options);
  give_back_free_memory();

  ResultFiles files;
  if (const Status created = files.create(); !created.ok()) return fail(created);
  write_report(run.store, run.reported, run.thresholds, files.concepts(), files.users_only(),
               ReportOptions{});
  give_back_free_memory();
  if (const Status committed = files.commit(); !committed.ok()) return fail(committed);

  evaluate_resource_recommendation(run.reported, files.users_only());
  evaluate_user_proposition(run.reported, files.users_only());
  return 0;
}

// The status of a run, its messages printed.
int run_to_status(int argc, char** argv, Run& run) {
  try {
    return run_phases(argc, argv, run);
  } catch (const std::bad_alloc&) {
    // The result files of the run were removed on the way out of run_phases().
    progress_end();
    return fail(Status::error("Memoire insuffisante"));
  }
}

}  // namespace
}  // namespace quadmine

// Once the phases are over, the result files are closed (committed or removed)
// and nothing is left to do but write out the stdio buffers. The process then
// ends without destroying the run's data, which is why it lives in static
// storage: the memory goes back to the system whole, instead of record by
// record (a second for the million records of a large run).
int main(int argc, char** argv) {
  static quadmine::Run run;
  const int status = quadmine::run_to_status(argc, argv, run);
  std::fflush(nullptr);
  std::_Exit(status);
}
