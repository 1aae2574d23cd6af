#include "fuzz/support.h"

#include <cstdlib>
#include <vector>

#include "loader/loader.h"
#include "store/globals.h"

namespace fuzz {

void violated(const char* what) {
  std::fprintf(stderr, "invariant violated: %s\n", what);
  std::abort();
}

Stream::Stream(std::FILE* f) : f_(f) {
  if (f_ == nullptr) violated("cannot open an in-memory or temporary stream");
}

std::string read_back(std::FILE* f) {
  std::rewind(f);
  std::string content;
  char buffer[4096];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) content.append(buffer, n);
  if (std::ferror(f)) violated("cannot read back a result stream");
  return content;
}

bool load_input(const std::uint8_t* data, std::size_t size) {
  if (size < 4 || size > kMaxInput) return false;
  reset_run_state();
  minsupp_u = 1 + data[0] % 3;
  minsupp_t = 1 + data[1] % 3;
  minsupp_r = 1 + data[2] % 3;
  minsupp_d = 1 + data[3] % 3;

  std::vector<char> base(data + 4, data + size);
  // fmemopen wants a buffer of at least one byte: an empty base is a one-byte
  // buffer already read.
  char empty = '\0';
  Stream input(base.empty() ? fmemopen(&empty, 1, "r") : fmemopen(base.data(), base.size(), "r"));
  if (base.empty()) std::fgetc(input.get());
  fp = input.get();
  const LoadResult loaded = load_la_base();
  fp = nullptr;  // closed with `input`
  return loaded.status == LoadStatus::Ok;
}

void release_stores() {
  reset_run_state();
  ens_tc.shrink_to_fit();
  ens_tc2.shrink_to_fit();
  indices_ts.shrink_to_fit();
  indices_rs.shrink_to_fit();
  indices_ds.shrink_to_fit();
}

}  // namespace fuzz
