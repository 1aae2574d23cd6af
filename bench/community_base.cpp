#include "community_base.h"

#include <algorithm>

#include "base_draws.h"

std::string make_community_base(const CommunityShape& shape) {
  std::mt19937_64 rng(shape.seed);
  const long communities = std::max(1L, shape.lines / shape.lines_per_community);
  const Zipf user(shape.community_users, shape.skew), tag(shape.community_tags, shape.skew),
      resource(shape.community_resources, shape.skew);
  // Community c owns users, tags and resources numbered from c times their
  // count, plus one; the uniform pool follows every community's numbers.
  const auto own = [&](long c, int count, int rank) { return static_cast<int>(c * count + rank); };
  const int pool_base = static_cast<int>(communities) * 100;
  DistinctLines lines(static_cast<std::size_t>(shape.lines));
  const auto wanted = static_cast<std::size_t>(shape.lines);
  while (lines.size() < wanted) {
    const int d = 1 + static_cast<int>(uniform(rng) * shape.ds);
    if (uniform(rng) < shape.uniform_share) {
      const int u = pool_base + 1 + static_cast<int>(uniform(rng) * shape.pool_users);
      const int t = pool_base + 1 + static_cast<int>(uniform(rng) * shape.pool_tags);
      const int r = pool_base + 1 + static_cast<int>(uniform(rng) * shape.pool_resources);
      lines.add({r, d, t, u});
      continue;
    }
    // One member of a community tags one of its resources with one to three
    // of its tags.
    const long c = static_cast<long>(uniform(rng) * static_cast<double>(communities));
    const int u = own(c, shape.community_users, user(rng));
    const int r = own(c, shape.community_resources, resource(rng));
    for (int t = 1 + static_cast<int>(uniform(rng) * 3); t > 0 && lines.size() < wanted; --t) {
      lines.add({r, d, own(c, shape.community_tags, tag(rng)), u});
    }
  }
  return sorted_base_text(lines.lines());
}
