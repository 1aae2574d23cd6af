// Fuzz target for the base line parser. Any bytes: no crash, no undefined
// behaviour. On text without a NUL byte the verdict is also checked against
// sscanf's "%lld %lld %lld %lld" (a line with four numbers in the int range
// is a quadruple of those numbers, white space alone is blank, anything else
// is invalid); the process aborts on a mismatch.
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "loader/base_line.h"

namespace {

[[noreturn]] void mismatch(const char* what, const std::string& line) {
  std::fprintf(stderr, "parse_base_line disagrees with sscanf: %s\nline (%zu bytes): ", what,
               line.size());
  for (const char c : line) std::fprintf(stderr, "%02x ", static_cast<unsigned char>(c));
  std::fprintf(stderr, "\n");
  std::abort();
}

// sscanf's conversions are well defined only while the number fits the
// target type; a run of at most 18 digits always fits a long long.
bool digit_runs_fit_long_long(const std::string& line) {
  std::size_t run = 0;
  for (const char c : line) {
    run = (c >= '0' && c <= '9') ? run + 1 : 0;
    if (run > 18) return false;
  }
  return true;
}

bool fits_int(long long v) { return v >= INT_MIN && v <= INT_MAX; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const char* text = reinterpret_cast<const char*>(data);
  Quad parsed{};
  const LineKind kind = parse_base_line(text, size, parsed);

  const std::string line(text, size);
  if (std::memchr(text, '\0', size) != nullptr) {
    if (kind != LineKind::Invalid) mismatch("a line with a NUL byte is not invalid", line);
    return 0;
  }
  if (!digit_runs_fit_long_long(line)) return 0;

  long long v[4] = {0, 0, 0, 0};
  const int n = std::sscanf(line.c_str(), "%lld %lld %lld %lld", &v[0], &v[1], &v[2], &v[3]);
  if (n == EOF) {
    if (kind != LineKind::Blank) mismatch("white space only, not blank", line);
    return 0;
  }
  if (n != 4 || !fits_int(v[0]) || !fits_int(v[1]) || !fits_int(v[2]) || !fits_int(v[3])) {
    if (kind != LineKind::Invalid) mismatch("not four ints, not invalid", line);
    return 0;
  }
  if (kind != LineKind::Quadruple) mismatch("four ints, not a quadruple", line);
  // Within the int range "%d" is the reference the base format is defined by.
  int d[4] = {0, 0, 0, 0};
  if (std::sscanf(line.c_str(), "%d %d %d %d", &d[0], &d[1], &d[2], &d[3]) != 4) {
    mismatch("\"%d\" reads fewer than four numbers", line);
  }
  for (std::size_t k = 0; k < 4; ++k) {
    if (parsed[k] != d[k] || v[k] != d[k]) mismatch("a different value", line);
  }
  return 0;
}
