// Helpers shared by the fuzz targets that run the pipeline on an in-memory base.
//
// Their input is four bytes of thresholds u, t, r, d (each 1 + byte % 3, so
// the characters '0' '1' '2' stand for 1 2 3) followed by the base text.
//
//   load_input(data, size)  resets the run state, sets the thresholds and runs
//                           load_la_base() on the base through fmemopen;
//                           false when the input is too short or too long
//                           (above kMaxInput, so every run stays in
//                           milliseconds) or the loader rejected the base
//   violated(what)          reports a broken invariant and aborts
//   Stream                  owns a stdio stream for one input
//   read_back(f)            everything written to f
//   release_stores()        empties the stores and frees their memory, so the
//                           leak detector sees each input free what it took
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

namespace fuzz {

constexpr std::size_t kMaxInput = 8192;

bool load_input(const std::uint8_t* data, std::size_t size);

[[noreturn]] void violated(const char* what);

class Stream {
 public:
  explicit Stream(std::FILE* f);
  ~Stream() { std::fclose(f_); }
  Stream(const Stream&) = delete;
  Stream& operator=(const Stream&) = delete;
  std::FILE* get() const { return f_; }

 private:
  std::FILE* f_;
};

std::string read_back(std::FILE* f);

void release_stores();

}  // namespace fuzz
