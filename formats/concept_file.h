// Reading back the report file quadri_concepts.txt, one concept at a time or
// all at once.
#pragma once

#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "formats/dimension.h"
#include "text/line_reader.h"
#include "util/status.h"

namespace quadmine {

// One concept of the report file.
struct ReportedConcept {
  std::array<std::vector<int>, kDimensions> sets;  // by Dimension
  long number = 0;                                 // position in the file, from 1
};

// Reads the concepts of a stream in file order, reading no further than the
// line of the concept it returns. Each concept is one line
//
//   U = {1, 2, },  T = {10, },  R = {100, },  D = {5, }
//
// every element followed by ", " (the file begins with a line feed and ends
// without one; empty lines are skipped). The stream is neither owned nor
// closed.
class ConceptFileReader {
 public:
  // `name` names the stream in messages.
  ConceptFileReader(std::FILE* in, std::string name);

  // Fills `c` with the next concept and gives true, or gives false at the end
  // of the stream. Fails with "NAME:LINE: not a concept line", or
  // "NAME:LINE: read error" (the line after the last one read).
  Result<bool> next(ReportedConcept& c);

 private:
  std::FILE* in_;
  std::string name_;
  TextLineReader lines_;
  long line_ = 0;
  long concepts_ = 0;
};

}  // namespace quadmine
