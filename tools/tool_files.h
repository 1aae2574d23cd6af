// Opening, writing and closing the fixed-name files of the data tools. A file
// that cannot be opened is never used.
#pragma once

#include <cstdio>

#include "util/file_handle.h"

namespace quadmine {

// Opens `name` for reading; it must also be readable (a directory opens but
// cannot be read). Otherwise prints
//   "\nERROR : Impossible d'ouvrir le fichier <name>...\n"
// on standard output and returns an empty handle.
FileHandle open_for_reading(const char* name);

// Creates (or empties) `name` with mode "w+". Otherwise prints
//   "\nERROR : Impossible de creer le fichier <name>...\n"
// and returns an empty handle.
FileHandle create_for_writing(const char* name);

// Flushes and closes the file; when any write failed it prints
//   "\nERROR : Impossible d'ecrire le fichier <name>...\n"
// Returns whether everything was written.
bool finish_writing(FileHandle file, const char* name);

}  // namespace quadmine
