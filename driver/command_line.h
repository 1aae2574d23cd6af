// The command line: quadmine BASE MINSUPP_U MINSUPP_T MINSUPP_R MINSUPP_D.
#pragma once

// Checks, in this order, the argument count, that the base opens (and reads)
// for reading, then each threshold (u, t, r, d), which must be at least 1. On
// success fp is open and the four thresholds are set; on failure one error
// message and the usage text are printed on standard output and false is
// returned.
bool check_input(char** argv, int argc);

// Prints the usage text on standard output.
void errors_input_line();

// Converts a threshold argument as atol does (leading white space, optional
// sign, digits up to the first other character, none gives 0), saturating at
// the int range instead of wrapping.
int convert_threshold(const char* text);
