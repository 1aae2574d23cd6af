// The sorted-set operations of index/sorted_sets.h against plain forms (linear
// searches over the same vectors, std::set) on random sets, with sizes chosen
// to take each of their paths (small sets, sizes far apart, merges), and a
// table of bitsets around the 64-bit word boundaries.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "index/sorted_sets.h"
#include "random_sets.h"

using namespace quadmine;  // NOLINT: the tests and benchmarks use the program's names

namespace {

using Ints = std::vector<int>;

std::string show(const Ints& set) {
  std::string out = "{";
  for (const int x : set) out += " " + std::to_string(x);
  return out + " }";
}

bool plain_contains(const Ints& set, int x) {
  return std::find(set.begin(), set.end(), x) != set.end();
}

// The elements of `a` found in `b`, in the order of `a`.
Ints plain_common(const Ints& a, const Ints& b) {
  Ints out;
  for (const int x : a) {
    if (plain_contains(b, x)) out.push_back(x);
  }
  return out;
}

struct Pair {
  Ints a, b;
};

// Two sets over one domain. The sizes cycle through: both small, `a` far
// smaller than `b`, `a` far larger, both of a few dozen; one pair in three has
// `a` drawn from `b` (so that inclusion holds now and then).
Pair draw_pair(RandomSets& r, int round) {
  static constexpr int kBases[] = {0, -500, INT_MIN, INT_MAX - 300};
  const int base = kBases[r.pick(0, 3)];
  const long long step = r.pick(0, 3) == 0 ? 1 << 22 : 1;
  const int domain = r.pick(1, 300);
  const int sizes[4][2] = {{6, 6}, {10, 200}, {200, 10}, {60, 60}};
  const int* size = sizes[round % 4];
  Pair p{r.set(r.pick(0, size[0]), domain, base, step),
         r.set(r.pick(0, size[1]), domain, base, step)};
  if (round % 3 == 0) {
    Ints some;
    for (const int x : p.b) {
      if (r.pick(0, 3) != 0) some.push_back(x);
    }
    p.a = some;
  }
  return p;
}

TEST(SortedSets, PairsAgainstPlainForms) {
  RandomSets r(7);
  Ints out = {42};  // the operations that make `out` must drop what it held
  for (int round = 0; round < 4000; ++round) {
    const Pair p = draw_pair(r, round);
    SCOPED_TRACE(show(p.a) + " " + show(p.b));
    const Ints common = plain_common(p.a, p.b);
    EXPECT_EQ(sorted_includes(p.a, p.b), common.size() == p.a.size());
    EXPECT_EQ(sorted_intersect(p.a, p.b), !common.empty());
    sorted_intersection(p.a, p.b, out);
    EXPECT_EQ(out, common);
    const std::set<int> both(p.a.begin(), p.a.end());
    std::set<int> all = both;
    all.insert(p.b.begin(), p.b.end());
    sorted_union(p.a, p.b, out);
    EXPECT_EQ(out, Ints(all.begin(), all.end()));
    if (!p.b.empty()) {
      const int x = p.b[static_cast<std::size_t>(r.pick(0, static_cast<int>(p.b.size()) - 1))];
      const int below = x == INT_MIN ? INT_MAX : x - 1;  // next to an element of `b`
      EXPECT_EQ(sorted_contains(p.a, x), plain_contains(p.a, x)) << x;
      EXPECT_EQ(sorted_contains(p.a, below), plain_contains(p.a, below)) << below;
    }
  }
}

TEST(SortedSets, CommonBitsAgainstPlainForms) {
  RandomSets r(11);
  for (int round = 0; round < 3000; ++round) {
    const Pair p = draw_pair(r, round);
    SCOPED_TRACE(show(p.a) + " " + show(p.b));
    // Bitsets are appended after what `words` holds; elements after `out`'s.
    std::vector<std::uint64_t> words(static_cast<std::size_t>(r.pick(0, 2)), ~0ull);
    const std::size_t first = words.size();
    const std::size_t count = common_bits(p.a, p.b, words);
    const Ints common = plain_common(p.a, p.b);
    EXPECT_EQ(count, common.size());
    ASSERT_EQ(words.size(), first + (p.a.size() + 63) / 64);
    for (std::size_t w = 0; w < first; ++w) EXPECT_EQ(words[w], ~0ull);
    for (std::size_t i = 0; i < 64 * (words.size() - first); ++i) {
      const bool set = (words[first + i / 64] >> (i % 64)) & 1;
      EXPECT_EQ(set, i < p.a.size() && plain_contains(p.b, p.a[i])) << "bit " << i;
    }
    Ints out = {-7};
    elements_of_bits(p.a, std::span(words).subspan(first), out);
    Ints expected = {-7};
    expected.insert(expected.end(), common.begin(), common.end());
    EXPECT_EQ(out, expected);
  }
}

Ints range(int from, int to) {
  Ints out;
  for (int x = from; x < to; ++x) out.push_back(x);
  return out;
}

// mine = 0 .. size - 1; theirs is chosen to set bits on both sides of the
// word boundaries, with each of the three ways of finding them.
TEST(SortedSets, CommonBitsAroundWordBoundaries) {
  const Ints edges = {0, 62, 63, 64, 65, 126, 127, 128, 129};
  for (const int size : {1, 63, 64, 65, 127, 128, 129, 130}) {
    const Ints mine = range(0, size);
    const Ints theirs_lists[] = {edges, range(-5, size + 5), range(-2000, 2000), {size - 1}};
    for (const Ints& theirs : theirs_lists) {
      SCOPED_TRACE("size " + std::to_string(size) + ", theirs " + std::to_string(theirs.size()));
      std::vector<std::uint64_t> words;
      const std::size_t count = common_bits(mine, theirs, words);
      const Ints common = plain_common(mine, theirs);
      EXPECT_EQ(count, common.size());
      ASSERT_EQ(words.size(), static_cast<std::size_t>((size + 63) / 64));
      for (const int x : common) {
        EXPECT_TRUE((words[static_cast<std::size_t>(x / 64)] >> (x % 64)) & 1) << x;
      }
      Ints out;
      elements_of_bits(mine, words, out);
      EXPECT_EQ(out, common);
    }
  }
}

TEST(SortedSets, SortDistinctAndOccurrences) {
  RandomSets r(13);
  for (int round = 0; round < 2000; ++round) {
    Ints list;  // unsorted, repetitions likely
    const int size = r.pick(0, 40), domain = r.pick(1, 30);
    for (int k = 0; k < size; ++k) list.push_back(r.pick(-domain, domain));
    if (round % 5 == 0) list.push_back(round % 2 ? INT_MIN : INT_MAX);
    SCOPED_TRACE(show(list));
    const std::set<int> distinct(list.begin(), list.end());
    Ints sorted = {1, 2, 3};
    sort_distinct(list, sorted);
    EXPECT_EQ(sorted, Ints(distinct.begin(), distinct.end()));

    const Ints other = r.set(r.pick(0, 20), 2 * domain + 1, -domain);
    std::size_t expected = 0;
    for (const int x : list) expected += plain_contains(other, x) ? 1 : 0;
    EXPECT_EQ(occurrences_in(list, other), expected);
  }
}

TEST(SortedSets, PoolOfSetsKeepsEachSetSortedAndDistinct) {
  RandomSets r(17);
  SortedSets pool;
  std::vector<Ints> expected;
  for (int added = 0; added < 500; ++added) {
    Ints list;
    for (int k = r.pick(0, 12); k > 0; --k) list.push_back(r.pick(-10, 10));
    if (added % 50 == 0) list = {INT_MAX, INT_MIN, INT_MAX};
    EXPECT_EQ(pool.add(list), static_cast<std::uint32_t>(added));
    const std::set<int> distinct(list.begin(), list.end());
    expected.emplace_back(distinct.begin(), distinct.end());
  }
  for (std::uint32_t slot = 0; slot < expected.size(); ++slot) {
    const std::span<const int> got = pool.get(slot);
    EXPECT_EQ(Ints(got.begin(), got.end()), expected[slot]) << "slot " << slot;
  }
}

}  // namespace
