#include "loader/base_line.h"

#include <cstring>
#include <string_view>

#include "text/scanner.h"

namespace quadmine {

LineKind parse_base_line(const char* text, std::size_t length, Quad& out) {
  if (std::memchr(text, '\0', length) != nullptr) return LineKind::Invalid;
  TextScanner scan(std::string_view(text, length));
  if (scan.only_space_left()) return LineKind::Blank;
  Quad quad{};
  for (int& field : quad) {
    if (!scan.number(field)) return LineKind::Invalid;
  }
  out = quad;
  return scan.only_space_left() ? LineKind::Quadruple : LineKind::WideQuadruple;
}

}  // namespace quadmine
