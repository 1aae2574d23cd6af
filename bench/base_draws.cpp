#include "base_draws.h"

#include <algorithm>
#include <cmath>

double uniform(std::mt19937_64& rng) { return static_cast<double>(rng() >> 11) * 0x1.0p-53; }

Zipf::Zipf(int n, double exponent) : cumulative_(static_cast<std::size_t>(n)) {
  double total = 0;
  for (int rank = 1; rank <= n; ++rank) {
    cumulative_[static_cast<std::size_t>(rank - 1)] = total +=
        1.0 / std::pow(static_cast<double>(rank), exponent);
  }
}

int Zipf::operator()(std::mt19937_64& rng) const {
  const double x = uniform(rng) * cumulative_.back();
  return static_cast<int>(std::upper_bound(cumulative_.begin(), cumulative_.end(), x) -
                          cumulative_.begin()) +
         1;
}

std::size_t DistinctLines::Hash::operator()(const BaseLine& l) const {
  std::uint64_t h = 1469598103934665603ull;
  for (const int x : l) h = (h ^ static_cast<std::uint32_t>(x)) * 1099511628211ull;
  return static_cast<std::size_t>(h);
}

std::string sorted_base_text(std::vector<BaseLine>& lines) {
  std::sort(lines.begin(), lines.end());
  std::string text;
  text.reserve(lines.size() * 24);
  for (const BaseLine& l : lines) {
    text += std::to_string(l[3]) + ' ' + std::to_string(l[2]) + ' ' + std::to_string(l[0]) + ' ' +
            std::to_string(l[1]) + '\n';
  }
  return text;
}
