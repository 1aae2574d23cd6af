// quadmine: mines quadri-concepts from a base of (user, tag, resource, D)
// quadruples and writes them to quadri_concepts.txt and users_only.txt.
//
// Exit status: 0 after a complete run, 1 after any error (the command line,
// the base's content, or the result files).

#include <unistd.h>

#include <cstdio>

#include "driver/command_line.h"
#include "driver/progress.h"
#include "evaluation/resource_recommendation.h"
#include "evaluation/user_proposition.h"
#include "loader/loader.h"
#include "mining/extension_pass.h"
#include "mining/tag_pass.h"
#include "output/report.h"
#include "store/globals.h"

namespace {

constexpr const char* kConceptsFile = "quadri_concepts.txt";
constexpr const char* kUsersFile = "users_only.txt";

int fail_file(const char* what, const char* name) {
  std::printf("\nERROR : %s %s...\n", what, name);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (!check_input(argv, argc)) return 1;
  progress_enable(isatty(STDERR_FILENO) != 0);

  const LoadResult loaded = load_la_base();
  if (loaded.status == LoadStatus::InvalidLine) {
    std::printf("\nERROR : Ligne %ld de la base %s invalide : quatre entiers attendus...\n",
                loaded.line, argv[1]);
    return 1;
  }
  if (loaded.status == LoadStatus::ReadError) {
    std::printf("\nERROR : Lecture de la base %s impossible a la ligne %ld...\n", argv[1],
                loaded.line);
    return 1;
  }

  find_ts_v3();
  find_rs();
  find_ds();

  std::FILE* concepts = std::fopen(kConceptsFile, "w+");
  if (concepts == nullptr) return fail_file("Impossible de creer le fichier", kConceptsFile);
  std::FILE* users_only = std::fopen(kUsersFile, "w+");
  if (users_only == nullptr) return fail_file("Impossible de creer le fichier", kUsersFile);

  write_report(concepts, users_only);

  if (std::fflush(concepts) != 0 || std::ferror(concepts)) {
    return fail_file("Impossible d'ecrire le fichier", kConceptsFile);
  }
  if (std::fflush(users_only) != 0 || std::ferror(users_only)) {
    return fail_file("Impossible d'ecrire le fichier", kUsersFile);
  }

  recomm_generale(users_only);
  recomm_generale_users(users_only);
  return 0;
}
