// Random inputs for the tests of index/: sorted distinct sets and ascending id
// lists drawn from small domains, so that overlaps, containments and equal
// sets come often.
#pragma once

#include <algorithm>
#include <climits>
#include <cstdint>
#include <random>
#include <vector>

class RandomSets {
 public:
  explicit RandomSets(std::uint32_t seed) : rng_(seed) {}

  int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
  std::uint64_t word() { return std::uniform_int_distribution<std::uint64_t>()(rng_); }

  // About `size` distinct elements (fewer when draws repeat) taken from
  // `base`, `base` + `step`, ... (`domain` values), sorted. The domain is
  // clamped to the int range, so INT_MIN and INT_MAX can be in it.
  std::vector<int> set(int size, int domain, int base = 0, long long step = 1) {
    std::vector<int> out;
    for (int k = 0; k < size; ++k) {
      const long long x = base + step * pick(0, domain - 1);
      out.push_back(static_cast<int>(std::clamp<long long>(x, INT_MIN, INT_MAX)));
    }
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
  }

  // A set with a size from 0 to `max_size` over a domain twice that size,
  // around a base that is sometimes negative or near the ends of the int range.
  std::vector<int> any_set(int max_size) {
    static constexpr int kBases[] = {0, -40, INT_MIN, INT_MAX - 100, 1 << 20};
    const int base = kBases[pick(0, 4)];
    return set(pick(0, max_size), 2 * max_size + 2, base);
  }

  // An ascending list of distinct ids below `domain`, about `size` long.
  std::vector<std::uint32_t> ids(int size, int domain) {
    std::vector<std::uint32_t> out;
    for (const int x : set(size, domain)) out.push_back(static_cast<std::uint32_t>(x));
    return out;
  }

 private:
  std::mt19937 rng_;
};
