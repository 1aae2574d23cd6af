// Parsing of one line of the quadruple base.
#pragma once

#include <array>
#include <cstddef>

namespace quadmine {

using Quad = std::array<int, 4>;  // U, T, R, D

enum class LineKind { Quadruple, WideQuadruple, Blank, Invalid };

// A line is either blank (only blanks, tabs, CR, LF, VT, FF: skipped by the
// loader) or begins with four decimal integers U T R D in the 32-bit range,
// read as scanf's "%d %d %d %d" reads them: white space before each number,
// an optional sign, digits. Anything after the fourth number is ignored, so
// CRLF line ends and trailing comments pass; a line with more than white space
// there is a WideQuadruple (a fifth field, as in a raw event file). Any other
// line is invalid, and so is a line holding a NUL byte (the base is text).
// `out` is set only for a quadruple, wide or not.
LineKind parse_base_line(const char* text, std::size_t length, Quad& out);

}  // namespace quadmine
