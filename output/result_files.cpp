#include "output/result_files.h"

#include <string>

namespace quadmine {

namespace {

std::string cannot_create(const std::string& name, int /*error*/) {
  return "Impossible de creer le fichier " + name;
}

std::string cannot_write(const std::string& name, int /*error*/) {
  return "Impossible d'ecrire le fichier " + name;
}

}  // namespace

ResultFiles::ResultFiles() : files_(FileMessages{cannot_create, cannot_write}) {}

Status ResultFiles::create() {
  Result<std::FILE*> concepts = files_.create(kConceptsName);
  if (!concepts.ok()) return concepts.status();
  Result<std::FILE*> users = files_.create(kUsersName);
  if (!users.ok()) return users.status();
  concepts_ = concepts.value();
  users_ = users.value();
  return {};
}

Status ResultFiles::commit() { return files_.commit(); }

}  // namespace quadmine
