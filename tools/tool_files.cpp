#include "tools/tool_files.h"

namespace quadmine {

FileHandle open_for_reading(const char* name) {
  FileHandle file(std::fopen(name, "r"));
  if (file) {
    const int c = std::getc(file.get());
    if (c == EOF && std::ferror(file.get())) {
      file.reset();
    } else if (c != EOF) {
      std::ungetc(c, file.get());
    } else {
      std::rewind(file.get());  // empty file: clear the end-of-file indicator
    }
  }
  if (!file) std::printf("\nERROR : Impossible d'ouvrir le fichier %s...\n", name);
  return file;
}

FileHandle create_for_writing(const char* name) {
  FileHandle file(std::fopen(name, "w+"));
  if (!file) std::printf("\nERROR : Impossible de creer le fichier %s...\n", name);
  return file;
}

bool finish_writing(FileHandle file, const char* name) {
  const bool failed = std::fflush(file.get()) != 0 || std::ferror(file.get());
  const bool close_failed = std::fclose(file.release()) != 0;
  if (failed || close_failed) {
    std::printf("\nERROR : Impossible d'ecrire le fichier %s...\n", name);
    return false;
  }
  return true;
}

}  // namespace quadmine
