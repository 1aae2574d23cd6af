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

#include "driver/command_line.h"
#include "driver/progress.h"
#include "evaluation/resource_recommendation.h"
#include "evaluation/user_proposition.h"
#include "loader/loader.h"
#include "mining/extension_pass.h"
#include "mining/tag_pass.h"
#include "output/report.h"
#include "output/result_files.h"

namespace {

int fail_file(const ResultFileFailure& failure) {
  const char* what = failure.kind == ResultFileFailure::Create ? "Impossible de creer le fichier"
                                                               : "Impossible d'ecrire le fichier";
  std::printf("\nERROR : %s %s...\n", what, failure.name);
  return 1;
}

// Loads the base named `path` (already open as fp); false after an error
// message. A base whose triples form several runs gets a warning on standard
// error.
bool load(const char* path) {
  const LoadResult loaded = load_la_base();
  if (loaded.status == LoadStatus::InvalidLine) {
    std::printf("\nERROR : Ligne %ld de la base %s invalide : quatre entiers attendus...\n",
                loaded.line, path);
    return false;
  }
  if (loaded.status == LoadStatus::ReadError) {
    std::printf("\nERROR : Lecture de la base %s impossible a la ligne %ld...\n", path,
                loaded.line);
    return false;
  }
  if (loaded.split.keys != 0) {
    std::fprintf(stderr,
                 "quadmine: warning: %zu (tag, resource, D) triples of %s occur in more than one "
                 "run of lines, the first again at line %ld; each run is mined as a group of its "
                 "own. quadmine-prepare writes a base sorted by resource, D, tag and user.\n",
                 loaded.split.keys, path, loaded.split.first_line);
  }
  return true;
}

// Hands the memory the mining passes freed back to the system, so that what
// the report builds next does not come on top of it: the C library keeps
// freed blocks for reuse, but the large arrays of the report are mapped anew.
void give_back_free_memory() {
#ifdef __GLIBC__
  malloc_trim(0);
#endif
}

int run(int argc, char** argv) {
  if (!check_input(argv, argc)) return 1;
  progress_enable(isatty(STDERR_FILENO) != 0);
  if (!load(argv[1])) return 1;

  find_ts_v3();
  find_rs();
  find_ds();
  give_back_free_memory();

  ResultFiles files;
  if (const auto failure = files.create()) return fail_file(*failure);
  write_report(files.concepts(), files.users_only());
  if (const auto failure = files.commit()) return fail_file(*failure);

  recomm_generale(files.users_only());
  recomm_generale_users(files.users_only());
  return 0;
}

// The status of a run, its messages printed.
int run_to_status(int argc, char** argv) {
  try {
    return run(argc, argv);
  } catch (const std::bad_alloc&) {
    // The result files of the run were removed on the way out of run().
    progress_end();
    std::printf("\nERROR : Memoire insuffisante...\n");
    return 1;
  }
}

}  // namespace

// Once run() has returned, the result files are closed (committed or removed)
// and nothing is left to do but write out the stdio buffers. The process then
// ends without destroying the stores: the memory goes back to the system
// whole, instead of record by record (a second for the million records of a
// large run).
int main(int argc, char** argv) {
  const int status = run_to_status(argc, argv);
  std::fflush(nullptr);
  std::_Exit(status);
}
