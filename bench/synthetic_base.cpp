#include "synthetic_base.h"

#include "base_draws.h"

std::string make_synthetic_base(const BaseShape& shape) {
  std::mt19937_64 rng(shape.seed);
  // Tags are the most skewed (a few tags are on everything), users the least.
  const Zipf user(shape.users, 0.6), tag(shape.tags, 1.0), resource(shape.resources, 0.8);
  DistinctLines lines(static_cast<std::size_t>(shape.lines));
  const auto wanted = static_cast<std::size_t>(shape.lines);
  while (lines.size() < wanted) {
    const int u = user(rng), r = resource(rng);
    const int d = 1 + static_cast<int>(uniform(rng) * shape.ds);
    for (int t = 1 + static_cast<int>(uniform(rng) * 3); t > 0 && lines.size() < wanted; --t) {
      lines.add({r, d, tag(rng), u});  // repeated taggings are dropped
    }
  }
  return sorted_base_text(lines.lines());
}
