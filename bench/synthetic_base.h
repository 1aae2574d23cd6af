// Deterministic synthetic tagging bases for the benchmarks.
//
// make_synthetic_base(shape) returns the text of a base of shape.lines lines
// "user tag resource d". Users, tags and resources are drawn with Zipf-like
// popularity (weight 1/rank^s, s = 0.6 for users, 1 for tags, 0.8 for
// resources): a few popular tags and resources gather many users, so (tag, resource, d) groups of
// several users form, as in real folksonomies. Each draw is one user tagging one resource in one
// period with one to three tags. Repeated taggings are dropped, and the lines are sorted by
// resource, d, tag and user so that every group is contiguous. The same shape
// gives the same text on every machine (own generator arithmetic, no library
// distributions).
#pragma once

#include <cstdint>
#include <string>

struct BaseShape {
  long lines = 100000;
  int users = 2000;
  int tags = 3000;
  int resources = 5000;
  int ds = 6;
  std::uint64_t seed = 1;
};

std::string make_synthetic_base(const BaseShape& shape);
