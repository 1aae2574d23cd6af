// Opening, writing and closing the fixed-name files of the data tools.
//
// A file that cannot be opened is never used: the opener prints
//   "\nERROR : Impossible d'ouvrir le fichier <name>...\n"   (reading)
//   "\nERROR : Impossible de creer le fichier <name>...\n"   (writing, "w+")
// on standard output and returns an empty handle. A file opened for reading
// must also be readable (a directory opens but cannot be read).
// finish_writing flushes and closes the file and prints
//   "\nERROR : Impossible d'ecrire le fichier <name>...\n"
// when any write failed; it returns whether everything was written.
#pragma once

#include <cstdio>
#include <memory>

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

FileHandle open_for_reading(const char* name);
FileHandle create_for_writing(const char* name);
bool finish_writing(FileHandle file, const char* name);
