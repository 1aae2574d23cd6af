// The base loader.
#pragma once

enum class LoadStatus { Ok, InvalidLine, ReadError };

struct LoadResult {
  LoadStatus status = LoadStatus::Ok;
  long line = 0;  // physical line number (from 1, blank lines counted)
};

// Reads the stream fp to its end. Every run of consecutive lines with the same
// (tag, resource, D) key becomes one concept of ens_tc with one tag, one
// resource, one D value and the users of the run in line order; it is kept
// when it has at least minsupp_u users. With minsupp_u == 1 a line that does
// not continue the line before it also yields a single-user concept. ijk
// counts the quadruple lines read. Blank lines are skipped entirely: not
// counted, and neither ending nor starting a group. Reads fp and minsupp_u
// once.
//
// On an invalid line or a read error the loader stops and says where; ens_tc
// and ijk then hold what was loaded so far and must not be used.
LoadResult load_la_base();
