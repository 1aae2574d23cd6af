// Fuzz target: the differential check of tests/reference/reference_passes.h on one
// base. Input: four bytes giving minsupp u, t, r and d (1 + byte % 3, so the
// characters '0' '1' '2' stand for 1 2 3), then the base text. Any difference
// between the program and the plain forms aborts.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "reference/reference_passes.h"

using namespace quadmine;  // NOLINT: the tests and benchmarks use the program's names

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4 || size > 8192) return 0;  // every input stays in milliseconds
  const MinSupp minsupp{1 + data[0] % 3, 1 + data[1] % 3, 1 + data[2] % 3, 1 + data[3] % 3};
  const std::string difference = check_base(std::string(data + 4, data + size), minsupp);
  if (difference.empty() || difference == kRejected) return 0;
  std::fprintf(stderr, "%s\n", difference.c_str());
  std::abort();
}
