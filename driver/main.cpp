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

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "driver/command_line.h"
#include "evaluation/resource_recommendation.h"
#include "evaluation/user_proposition.h"
#include "loader/loader.h"
#include "mining/passes.h"
#include "output/report.h"
#include "output/result_files.h"
#include "store/thresholds.h"
#include "store/triconcept.h"
#include "util/progress.h"
#include "util/status.h"
#include "util/version.h"

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

constexpr const char* kHelp =
    "Usage: quadmine BASE MINSUPP_U MINSUPP_T MINSUPP_R MINSUPP_D\n"
    "       quadmine --help | --version\n"
    "\n"
    "Mines quadri-concepts from BASE, a text file of integer quadruples\n"
    "\"user tag resource d\", one per line, the lines of each (tag, resource, d)\n"
    "triple adjacent (quadmine-prepare writes such a base from tagging events).\n"
    "Keeps the concepts with at least MINSUPP_U users, MINSUPP_T tags, MINSUPP_R\n"
    "resources and MINSUPP_D d values (each threshold at least 1) that no other\n"
    "concept strictly contains, and writes them to quadri_concepts.txt and\n"
    "users_only.txt in the current directory. Then times two recommendation\n"
    "procedures over them and prints the number of users served and the average\n"
    "times.\n"
    "\n"
    "Exit status: 0 after a complete run, 1 after an error (its message, in\n"
    "French, on standard output). See quadmine(1).\n";

// What the base looked like, on standard error: triples split over several
// runs of lines, lines of more than four fields, no quadruple at all.
void warn_about_base(const LoadSummary& loaded, const char* path) {
  if (loaded.split.keys != 0) {
    std::fprintf(stderr,
                 "quadmine: warning: %zu (tag, resource, D) triples of %s occur in more than one "
                 "run of lines, the first again at line %ld; each run is mined as a group of its "
                 "own. quadmine-prepare writes a base sorted by resource, D, tag and user.\n",
                 loaded.split.keys, path, loaded.split.first_line);
  }
  if (loaded.wide.lines != 0) {
    std::fprintf(stderr,
                 "quadmine: warning: %ld line%s of %s hold%s more than four fields, the first "
                 "at line %ld; only the first four numbers of a line are read. A file of raw "
                 "tagging events is turned into a base by quadmine-prepare.\n",
                 loaded.wide.lines, loaded.wide.lines == 1 ? "" : "s", path,
                 loaded.wide.lines == 1 ? "s" : "", loaded.wide.first_line);
  }
  if (loaded.lines == 0) {
    std::fprintf(stderr,
                 "quadmine: warning: %s holds no quadruple: nothing is mined, the result files "
                 "are empty and the average times are not numbers.\n",
                 path);
  }
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
  if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
    std::fputs(kHelp, stdout);
    return 0;
  }
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::printf("quadmine %s\n", project_version());
    return 0;
  }
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
  warn_about_base(loaded.value(), argv[1]);
  run.lines_read = loaded->lines;

  run_mining_passes(run.store, run.lines_read, run.thresholds, ExtensionOptions{});
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
//
// Whatever the run's status, standard output that cannot be written (a full
// disk, a closed pipe) is an error of its own: the result files stay as the
// run left them, the message goes to standard error and the status is 1.
int main(int argc, char** argv) {
  static quadmine::Run run;
  int status = quadmine::run_to_status(argc, argv, run);
  errno = 0;
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    std::fprintf(stderr, "quadmine: cannot write to standard output%s%s\n", errno ? ": " : "",
                 errno ? std::strerror(errno) : "");
    status = 1;
  }
  std::fflush(nullptr);
  std::_Exit(status);
}
