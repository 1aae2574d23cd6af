// The two result files, written under temporary names and put in place whole.
//
// Both files are written by an AtomicFiles group (util/atomic_files.h): under
// unique temporary names beside their final ones ("quadri_concepts.txt.XXXXXX"
// and "users_only.txt.XXXXXX"), renamed over quadri_concepts.txt and
// users_only.txt only by commit(), after both were flushed and checked. Until
// then any failure, the destruction of the object (an exception, an early
// return) or SIGINT, SIGTERM or SIGHUP removes the temporary files, so the
// files of an earlier run stay as they were. After commit() the streams stay
// open, readable, on the final files.
#pragma once

#include <cstdio>

#include "util/atomic_files.h"
#include "util/status.h"

namespace quadmine {

class ResultFiles {
 public:
  static constexpr const char* kConceptsName = "quadri_concepts.txt";
  static constexpr const char* kUsersName = "users_only.txt";

  ResultFiles();

  // Creates both temporary files (opened "w+"). Fails ("Impossible de creer
  // le fichier NAME", with the final name) when a temporary file cannot be
  // made or a final name is a directory, having removed what was created.
  Status create();

  std::FILE* concepts() const { return concepts_; }
  std::FILE* users_only() const { return users_; }

  // Flushes and checks both streams ("Impossible d'ecrire le fichier NAME"),
  // then renames both files over their final names ("Impossible de creer le
  // fichier NAME"; nothing can be undone when the second rename fails after
  // the first). After a failure the temporary files are removed.
  Status commit();

 private:
  AtomicFiles files_;
  std::FILE* concepts_ = nullptr;
  std::FILE* users_ = nullptr;
};

}  // namespace quadmine
