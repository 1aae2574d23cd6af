#include "synthetic_base.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <random>
#include <unordered_set>
#include <vector>

namespace {

// Uniform in [0, 1) from the top 53 bits: the same on every platform.
double uniform(std::mt19937_64& rng) { return static_cast<double>(rng() >> 11) * 0x1.0p-53; }

// Rank r (from 1) drawn with weight 1 / r^exponent.
class Zipf {
 public:
  Zipf(int n, double exponent) : cumulative_(static_cast<std::size_t>(n)) {
    double total = 0;
    for (int rank = 1; rank <= n; ++rank) {
      cumulative_[rank - 1] = total += 1.0 / std::pow(static_cast<double>(rank), exponent);
    }
  }
  int operator()(std::mt19937_64& rng) const {
    const double x = uniform(rng) * cumulative_.back();
    return static_cast<int>(std::upper_bound(cumulative_.begin(), cumulative_.end(), x) -
                            cumulative_.begin()) +
           1;
  }

 private:
  std::vector<double> cumulative_;
};

}  // namespace

std::string make_synthetic_base(const BaseShape& shape) {
  std::mt19937_64 rng(shape.seed);
  // Tags are the most skewed (a few tags are on everything), users the least.
  const Zipf user(shape.users, 0.6), tag(shape.tags, 1.0), resource(shape.resources, 0.8);
  using Line = std::array<int, 4>;  // resource, d, tag, user: the sort order
  struct LineHash {
    std::size_t operator()(const Line& l) const {
      std::uint64_t h = 1469598103934665603ull;
      for (const int x : l) h = (h ^ static_cast<std::uint32_t>(x)) * 1099511628211ull;
      return static_cast<std::size_t>(h);
    }
  };
  std::vector<Line> lines;
  std::unordered_set<Line, LineHash> drawn;
  lines.reserve(static_cast<std::size_t>(shape.lines));
  while (static_cast<long>(lines.size()) < shape.lines) {
    const int u = user(rng), r = resource(rng);
    const int d = 1 + static_cast<int>(uniform(rng) * shape.ds);
    for (int t = 1 + static_cast<int>(uniform(rng) * 3);
         t > 0 && static_cast<long>(lines.size()) < shape.lines; --t) {
      const Line l{r, d, tag(rng), u};
      if (drawn.insert(l).second) lines.push_back(l);  // repeated taggings are dropped
    }
  }
  std::sort(lines.begin(), lines.end());

  std::string text;
  text.reserve(lines.size() * 24);
  for (const Line& l : lines) {
    text += std::to_string(l[3]) + ' ' + std::to_string(l[2]) + ' ' + std::to_string(l[0]) + ' ' +
            std::to_string(l[1]) + '\n';
  }
  return text;
}
