// Lookups in the two dictionary files (line layout in dictionary_line.h). No
// run calls them.
//
// Nothing opens the streams: a tool that wants these lookups opens them first
// (for reading) and owns them. Lines are read whole, whatever their length; a
// line that does not hold the five fields never matches. A null stream
// behaves as an empty dictionary.
#pragma once

#include <cstdio>
#include <string>

extern std::FILE* fpp;   // URL dictionary
extern std::FILE* fpp2;  // tag dictionary

// From the top of fpp2: tag text of the first line whose tag code is `code`;
// "" when none. fpp2 is left just after the matching line (at its end when
// none matched).
std::string avoir_letag_a_partir_du_code(int code);

// From the top of fpp2: tag code of the first line whose tag text equals
// `tag`; -1 when none (or tag is null). fpp2 is left as by the lookup above.
int avoir_lecode_a_partir_du_tag(const char* tag);

// Goes on in fpp from just after the line the previous URL lookup matched, or
// from the top when fpp stands at its end (or in error): URL text of the next
// line whose URL code is `code`. When the end comes first it prints
// "no   <code>" (no newline) on standard output and returns "tamul"; the next
// lookup then starts from the top. Lookups for codes in file order thus read
// the file once, and a code whose line lies behind the current position is
// reported missing.
std::string avoir_lurl_a_partir_du_code(int code);
