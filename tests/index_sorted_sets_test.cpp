// The sorted-set operations of index/sorted_sets.h against plain forms (linear
// searches over the same vectors, std::set) on random sets, with sizes chosen
// to take each of their paths (small sets, sizes far apart, merges), and
// bitsets around the 64-bit word boundaries.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <numeric>
#include <set>
#include <string>
#include <vector>

#include "index/sorted_sets.h"
#include "random_sets.h"

using namespace quadmine;  // NOLINT: the tests and benchmarks use the program's names

namespace {

using Ints = std::vector<int>;

bool plain_contains(const Ints& set, int x) {
  return std::find(set.begin(), set.end(), x) != set.end();
}

// The elements of `a` found in `b`, in the order of `a`.
Ints plain_common(const Ints& a, const Ints& b) {
  Ints out;
  std::copy_if(a.begin(), a.end(), std::back_inserter(out),
               [&b](int x) { return plain_contains(b, x); });
  return out;
}

// common_bits(mine, theirs) appended after `before` words already there, and
// elements_of_bits() appended after an element already there, bit by bit
// against the plain form.
void check_common_bits(const Ints& mine, const Ints& theirs, std::size_t before) {
  std::vector<std::uint64_t> words(before, ~0ull);
  const std::size_t count = common_bits(mine, theirs, words);
  const Ints common = plain_common(mine, theirs);
  EXPECT_EQ(count, common.size());
  ASSERT_EQ(words.size(), before + (mine.size() + 63) / 64);
  for (std::size_t w = 0; w < before; ++w) EXPECT_EQ(words[w], ~0ull);
  for (std::size_t i = 0; i < 64 * (words.size() - before); ++i) {
    const bool set = (words[before + i / 64] >> (i % 64)) & 1;
    EXPECT_EQ(set, i < mine.size() && plain_contains(theirs, mine[i])) << "bit " << i;
  }
  Ints out = {-7}, expected = {-7};
  elements_of_bits(mine, std::span(words).subspan(before), out);
  expected.insert(expected.end(), common.begin(), common.end());
  EXPECT_EQ(out, expected);
}

// Two sets over one domain. The sizes cycle through: both small, `a` far
// smaller than `b`, `a` far larger, both of a few dozen; one pair in three has
// `a` drawn from `b` (so that inclusion holds now and then).
TEST(SortedSets, PairsAgainstPlainForms) {
  RandomSets r(7);
  Ints out = {42};  // the operations that make `out` must drop what it held
  for (int round = 0; round < 4000; ++round) {
    static constexpr int kBases[] = {0, -500, INT_MIN, INT_MAX - 300};
    static constexpr int kSizes[4][2] = {{6, 6}, {10, 200}, {200, 10}, {60, 60}};
    const int base = kBases[r.pick(0, 3)], domain = r.pick(1, 300);
    const long long step = r.pick(0, 3) == 0 ? 1 << 22 : 1;
    const int* size = kSizes[round % 4];
    Ints a = r.set(r.pick(0, size[0]), domain, base, step);
    const Ints b = r.set(r.pick(0, size[1]), domain, base, step);
    if (round % 3 == 0) {
      a.clear();
      std::copy_if(b.begin(), b.end(), std::back_inserter(a),
                   [&r](int) { return r.pick(0, 3) != 0; });
    }
    SCOPED_TRACE(testing::PrintToString(a) + " " + testing::PrintToString(b));
    const Ints common = plain_common(a, b);
    EXPECT_EQ(sorted_includes(a, b), common.size() == a.size());
    EXPECT_EQ(sorted_intersect(a, b), !common.empty());
    sorted_intersection(a, b, out);
    EXPECT_EQ(out, common);
    std::set<int> all(a.begin(), a.end());
    all.insert(b.begin(), b.end());
    sorted_union(a, b, out);
    EXPECT_EQ(out, Ints(all.begin(), all.end()));
    if (!b.empty()) {
      const int x = b[static_cast<std::size_t>(r.pick(0, static_cast<int>(b.size()) - 1))];
      const int below = x == INT_MIN ? INT_MAX : x - 1;  // next to an element of `b`
      EXPECT_EQ(sorted_contains(a, x), plain_contains(a, x)) << x;
      EXPECT_EQ(sorted_contains(a, below), plain_contains(a, below)) << below;
    }
    check_common_bits(a, b, static_cast<std::size_t>(r.pick(0, 2)));
  }
}

// mine = 0 .. size - 1; theirs is chosen to set bits on both sides of the
// word boundaries, with each of the three ways of finding them.
TEST(SortedSets, CommonBitsAroundWordBoundaries) {
  for (const int size : {1, 63, 64, 65, 127, 128, 129, 130}) {
    Ints mine(static_cast<std::size_t>(size)), around(static_cast<std::size_t>(size) + 10),
        wide(4000);
    std::iota(mine.begin(), mine.end(), 0);
    std::iota(around.begin(), around.end(), -5);
    std::iota(wide.begin(), wide.end(), -2000);
    for (const Ints& theirs :
         {Ints{0, 62, 63, 64, 65, 126, 127, 128, 129}, around, wide, Ints{size - 1}}) {
      SCOPED_TRACE("size " + std::to_string(size) + ", theirs " + std::to_string(theirs.size()));
      check_common_bits(mine, theirs, 0);
    }
  }
}

TEST(SortedSets, SortDistinctOccurrencesAndPool) {
  RandomSets r(13);
  SortedSets pool;
  std::vector<Ints> pooled;
  for (int round = 0; round < 2000; ++round) {
    Ints list;  // unsorted, repetitions likely
    const int size = r.pick(0, 40), domain = r.pick(1, 30);
    for (int k = 0; k < size; ++k) list.push_back(r.pick(-domain, domain));
    if (round % 5 == 0) list.push_back(round % 2 ? INT_MIN : INT_MAX);
    SCOPED_TRACE(testing::PrintToString(list));
    const std::set<int> distinct(list.begin(), list.end());
    Ints sorted = {1, 2, 3};
    sort_distinct(list, sorted);
    EXPECT_EQ(sorted, Ints(distinct.begin(), distinct.end()));
    EXPECT_EQ(pool.add(list), static_cast<std::uint32_t>(round));
    pooled.push_back(sorted);

    const Ints other = r.set(r.pick(0, 20), 2 * domain + 1, -domain);
    const auto expected = std::count_if(list.begin(), list.end(),
                                        [&other](int x) { return plain_contains(other, x); });
    EXPECT_EQ(occurrences_in(list, other), static_cast<std::size_t>(expected));
  }
  for (std::uint32_t slot = 0; slot < pooled.size(); ++slot) {
    const std::span<const int> got = pool.get(slot);
    EXPECT_EQ(Ints(got.begin(), got.end()), pooled[slot]) << "slot " << slot;
  }
}

}  // namespace
