// Fuzz target: the differential check of tests/reference/reference_passes.h on one
// base. Input: four bytes giving minsupp u, t, r and d (1 + byte % 3, so the
// characters '0' '1' '2' stand for 1 2 3), then the base text. The same four
// bytes, divided by 3, choose how the second threads run: as the program runs
// them (so for the characters '0' '1' '2'), in one thread, or at small sizes
// that make them hand over often. Any difference between the program and the
// plain forms aborts.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "reference/reference_passes.h"

using namespace quadmine;  // NOLINT: the tests and benchmarks use the program's names

namespace {

ProgramOptions options_from(const std::uint8_t* data) {
  const unsigned b[4] = {data[0] / 3u, data[1] / 3u, data[2] / 3u, data[3] / 3u};
  ProgramOptions options;
  AheadOptions* const aheads[3] = {&options.resources.ahead, &options.ds.ahead,
                                   &options.report.ahead};
  switch (b[0] % 4) {
    case 0:  // as the program runs
      break;
    case 1:
      for (AheadOptions* ahead : aheads) ahead->second_thread = false;
      break;
    default:
      for (AheadOptions* ahead : aheads) ahead->ring = 1 + b[1] % 2;
      for (ExtensionOptions* pass : {&options.resources, &options.ds}) {
        pass->found_per_buffer = 1 + b[2] % 3;
        pass->concepts_per_buffer = 1 + b[3] % 3;
      }
      options.report.block = 1 + (b[2] + b[3]) % 8;
      options.report.share = 1 + b[1] % 3;
  }
  return options;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4 || size > 8192) return 0;  // every input stays in milliseconds
  const MinSupp minsupp{1 + data[0] % 3, 1 + data[1] % 3, 1 + data[2] % 3, 1 + data[3] % 3};
  const std::string difference =
      check_base(std::string(data + 4, data + size), minsupp, options_from(data));
  if (difference.empty() || difference == kRejected) return 0;
  std::fprintf(stderr, "%s\n", difference.c_str());
  std::abort();
}
