// Opening, writing and closing the fixed-name files of the data tools. A file
// that cannot be opened is never used. The failures are Status messages;
// the tools, entry points without a result, print them with
// print_tool_failure.
#pragma once

#include <cstdio>

#include "util/file_handle.h"
#include "util/status.h"

namespace quadmine {

// Opens `name` for reading; it must also be readable (a directory opens but
// cannot be read). Fails with "Impossible d'ouvrir le fichier <name>".
Result<FileHandle> open_tool_input(const char* name);

// Creates (or empties) `name` with mode "w+". Fails with
// "Impossible de creer le fichier <name>".
Result<FileHandle> create_tool_output(const char* name);

// Flushes and closes the file. Fails with "Impossible d'ecrire le fichier
// <name>" when any write failed.
Status finish_tool_output(FileHandle file, const char* name);

// Prints "\nERROR : <message>...\n" on standard output.
void print_tool_failure(const Status& failure);

}  // namespace quadmine
