// Signatures of sets: a set's signature is the union of one bit per element,
// chosen by hashing the element. A set that holds every element of another
// holds all its bits, and two sets with no bit in common have no element in
// common; the reverse does not hold, so a signature only ever rules out.
#pragma once

#include <cstdint>

namespace quadmine {

// The bit, one of 64, of element x of set number `set` (an owner that keeps
// one signature over several sets numbers them so that equal elements of
// different sets take independent bits).
inline std::uint64_t signature_bit(unsigned set, int x) {
  const std::uint64_t h =
      (static_cast<std::uint32_t>(x) + 0x9e3779b9ull * set) * 0x9e3779b97f4a7c15ull;
  return 1ull << (h >> 58);
}

// A signature folded to 32 bits: two sets whose signatures share a bit still
// share one once both are folded, and a set that holds another's bits still
// does.
inline std::uint32_t fold_signature(std::uint64_t bits) {
  return static_cast<std::uint32_t>(bits | (bits >> 32));
}

}  // namespace quadmine
