// Deterministic dense "community" bases for the benchmarks.
//
// make_community_base(shape) returns the text of a base of shape.lines
// distinct lines "user tag resource d". About one community per
// lines_per_community lines: each has its own users, tags and resources
// (40, 12 and 30 by default), drawn with Zipf-like popularity (weight
// 1/rank^skew); each draw is one member tagging one resource in one of `ds`
// periods with one to three tags. A share of the lines (15% by default) is drawn
// uniformly from a separate pool of users, tags and resources (3,000, 4,000
// and 8,000). Small groups that use the same few tags on the same few
// resources in every period give many overlapping (tag, resource, d) groups
// of several users: a much denser base than the real ones. Lines are sorted
// by resource, d, tag and user; the same shape gives the same text on every
// machine.
#pragma once

#include <cstdint>
#include <string>

struct CommunityShape {
  long lines = 30000;
  long lines_per_community = 4000;
  int community_users = 40;
  int community_tags = 12;
  int community_resources = 30;
  int ds = 8;
  double skew = 1.5;
  double uniform_share = 0.15;
  int pool_users = 3000;
  int pool_tags = 4000;
  int pool_resources = 8000;
  std::uint64_t seed = 7;
};

std::string make_community_base(const CommunityShape& shape);
