#include "tools/tool_files.h"

#include <string>

namespace quadmine {

Result<FileHandle> open_tool_input(const char* name) {
  Result<FileHandle> file = open_for_reading(name);
  if (!file.ok()) return Status::error(std::string("Impossible d'ouvrir le fichier ") + name);
  return file;
}

Result<FileHandle> create_tool_output(const char* name) {
  FileHandle file(std::fopen(name, "w+"));
  if (!file) return Status::error(std::string("Impossible de creer le fichier ") + name);
  return file;
}

Status finish_tool_output(FileHandle file, const char* name) {
  const bool failed = std::fflush(file.get()) != 0 || std::ferror(file.get());
  const bool close_failed = std::fclose(file.release()) != 0;
  if (failed || close_failed) {
    return Status::error(std::string("Impossible d'ecrire le fichier ") + name);
  }
  return {};
}

void print_tool_failure(const Status& failure) {
  std::printf("\nERROR : %s...\n", failure.message().c_str());
}

}  // namespace quadmine
