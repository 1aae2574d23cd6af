// Text dumps of the concept stores. No run calls them.
#pragma once

#include <cstdio>

// Writes one line per concept of ens_tc, in store order:
//   " U = " each user "%d-", " T = " each tag "%d, ",
//   " R = " each resource " %d ", " D = " each D value " %d ", then '\n'.
// The stream is the caller's: written, not flushed or closed. A null stream
// gets nothing.
void ecrire_1erfichier(std::FILE* out);

// Writes, in the current directory, the U sets of ens_tc2 to
// "usersSEPARES.txt", the T sets to "tagsSEPARES.txt" and the R sets to
// "urlsSEPARES.txt": for each concept in store order whose U, T and R sets
// reach minsupp_u, minsupp_t and minsupp_r (the D set is neither tested nor
// written), a newline and then each element with "%d, ". Each file thus begins
// with an empty line and ends without a newline. The three files are all
// created before anything is written; when one cannot be, a message names it
// and nothing is written (files created before it are left empty). When a
// file cannot be written the others still are, and a message names the first
// such file.
void ecrire_dans_fichiers_separes();
