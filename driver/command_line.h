// The command line: quadmine BASE MINSUPP_U MINSUPP_T MINSUPP_R MINSUPP_D.
#pragma once

#include "store/thresholds.h"
#include "util/file_handle.h"
#include "util/status.h"

namespace quadmine {

// What a valid command line gives a run: the base, open for reading, and the
// four thresholds.
struct CommandLine {
  FileHandle base;
  Thresholds thresholds;
};

// Checks, in this order, the argument count, that the base opens (and reads)
// for reading, then each threshold (u, t, r, d), which must be at least 1. On
// failure the message is the program's whole error text, to be printed as it
// is and followed by the usage text.
Result<CommandLine> read_command_line(int argc, char** argv);

// Converts a threshold argument as atol does (leading white space, optional
// sign, digits up to the first other character, none gives 0), saturating at
// the int range instead of wrapping.
int convert_threshold(const char* text);

}  // namespace quadmine

// read_command_line(argc, argv), with the base going to fp and the thresholds
// to minsupp_u, minsupp_t, minsupp_r and minsupp_d; on failure prints the
// message and the usage text on standard output and returns false.
bool check_input(char** argv, int argc);

// Prints the usage text on standard output.
void errors_input_line();
