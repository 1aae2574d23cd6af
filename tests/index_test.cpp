// The structures of index/, each against a plain form (linear searches,
// std::set, std::map) on random inputs plus edge rows:
// - the sorted-set operations, with sizes chosen to take each of their paths
//   (small sets, sizes far apart, merges), with bitsets of up to four words;
// - the hash tables (FlatMap/FlatIntMap, and SetKeys and WordKeys on
//   PooledKeys), with keys at the ends of the int range and tuples that all
//   share one hash;
// - epoch sets and element marks, the walks over ascending id lists
//   (have_common_id, CommonIds, with and without signatures) and the
//   compaction of a store.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <map>
#include <memory>
#include <numeric>
#include <random>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "index/compaction.h"
#include "index/epoch_set.h"
#include "index/flat_int_map.h"
#include "index/id_lists.h"
#include "index/set_keys.h"
#include "index/sorted_sets.h"
#include "index/word_keys.h"

using namespace quadmine;  // NOLINT: the tests and benchmarks use the program's names

namespace {

// Random inputs: sorted distinct sets and ascending id lists drawn from small
// domains, so that overlaps, containments and equal sets come often.
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

// The hash tables.

// Emplaces then finds every key of `keys` (repetitions allowed) in a
// FlatMap and a std::map side by side; each new key gets the next number.
template <typename Key>
void check_flat_map(const std::vector<Key>& keys, const std::vector<Key>& absent) {
  FlatMap<Key> map;
  std::map<Key, std::uint32_t> plain;
  for (std::size_t k = 0; k < keys.size(); ++k) {
    const Key key = keys[k];
    const auto fresh = static_cast<std::uint32_t>(plain.size());
    const std::uint32_t expected = plain.emplace(key, fresh).first->second;
    ASSERT_EQ(map.emplace(key, fresh), expected) << key;
    ASSERT_EQ(map.size(), plain.size());
    // At every size, a key that is not there is found missing (a look-up
    // ends, on a free slot).
    const Key other = absent[k % absent.size()];
    if (!plain.contains(other)) {
      ASSERT_EQ(map.find(other), FlatMap<Key>::kAbsent) << other;
    }
  }
  EXPECT_EQ(map.size(), plain.size());
  for (const auto& [key, value] : plain) ASSERT_EQ(map.find(key), value) << key;
  for (const Key key : absent) {
    if (!plain.contains(key)) {
      EXPECT_EQ(map.find(key), FlatMap<Key>::kAbsent) << key;
    }
  }
}

TEST(Tables, FlatMapsAgainstStdMap) {
  RandomSets r(3);
  struct Row {
    const char* name;
    int count, domain, base;
    long long step;
  };
  const Row rows[] = {
      {"dense small keys", 3000, 1000, 0, 1},
      {"negative keys", 3000, 5000, -4000, 1},
      {"keys up to INT_MAX", 2000, 3000, INT_MAX - 2000, 1},
      {"keys from INT_MIN", 2000, 3000, INT_MIN, 1},
      {"multiples of 2^16", 3000, 30000, INT_MIN, 1 << 16},
      {"many keys (growth)", 200000, 1 << 30, -(1 << 29), 1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    std::vector<int> keys, absent;
    for (int k = 0; k < row.count; ++k) {
      keys.push_back(r.set(1, row.domain, row.base, row.step)[0]);
      absent.push_back(r.set(1, row.domain, row.base, row.step)[0]);
    }
    check_flat_map(keys, absent);
  }
  check_flat_map<int>({INT_MIN, INT_MAX, 0, -1, 1, INT_MIN + 1, INT_MAX - 1, INT_MIN, -1},
                      {2, -2, INT_MIN + 2, INT_MAX - 2});
  check_flat_map<int>({}, {0, -1, INT_MIN, INT_MAX});  // an empty map finds nothing
}

// Tuples of sets as the tests give them: vectors, turned into spans.
std::vector<std::span<const int>> spans(const std::vector<Ints>& tuple) {
  return {tuple.begin(), tuple.end()};
}

TEST(Tables, SetKeysAgainstStdSet) {
  RandomSets r(19);
  SetKeys keys;
  std::set<std::vector<Ints>> plain;
  for (int round = 0; round < 20000; ++round) {
    std::vector<Ints> tuple(static_cast<std::size_t>(r.pick(1, 4)));
    for (Ints& set : tuple) set = r.any_set(round % 10 == 0 ? 70 : 3);
    const auto sets = spans(tuple);
    ASSERT_EQ(keys.insert(sets), plain.insert(tuple).second) << round;
    ASSERT_FALSE(keys.insert(sets, SetKeys::hash(sets)));
  }
}

// Under one hash for every tuple, only the stored tuples tell them apart,
// even tuples whose stored forms are equally long.
TEST(Tables, SetKeysTellTuplesApartUnderOneHash) {
  const std::vector<std::vector<Ints>> tuples = {
      {},          {{}},       {{}, {}},     {{}, {}, {}}, {{0}},       {{1}},     {{0}, {}},
      {{}, {0}},   {{1}, {}},  {{}, {1}},    {{0, 1}},     {{1, 0}},    {{2}, {}}, {{1, 2}},
      {{2, 1, 2}}, {{1}, {2}}, {{1, 1}, {}}, {{INT_MIN}},  {{INT_MAX}}, {{-1}},    {{0}, {0}},
  };
  SetKeys keys;
  for (const std::vector<Ints>& tuple : tuples) {
    EXPECT_TRUE(keys.insert(spans(tuple), 42)) << testing::PrintToString(tuple);
  }
  for (const std::vector<Ints>& tuple : tuples) {
    EXPECT_FALSE(keys.insert(spans(tuple), 42)) << testing::PrintToString(tuple);
  }
}

using Words = std::vector<std::uint64_t>;

TEST(Tables, WordKeysAgainstStdSetWithClears) {
  RandomSets r(23);
  WordKeys keys;
  std::set<Words> plain;
  for (int round = 0; round < 30000; ++round) {
    if (round % 4000 == 3999 || r.pick(0, 300) == 0) {
      keys.clear();
      plain.clear();
    }
    Words sequence(static_cast<std::size_t>(r.pick(0, 4)));
    for (std::uint64_t& w : sequence)
      w = r.pick(0, 2) ? static_cast<std::uint64_t>(r.pick(0, 3)) : r.word();
    // The same sequence, split anywhere into head and tail, is one key.
    const auto split = static_cast<std::size_t>(r.pick(0, static_cast<int>(sequence.size())));
    const std::span<const std::uint64_t> whole(sequence);
    ASSERT_EQ(keys.insert(whole.first(split), whole.subspan(split)), plain.insert(sequence).second)
        << round;
    ASSERT_FALSE(keys.insert(whole));
  }
}

// Marks, id-list walks and compaction.

using Ids = std::vector<std::uint32_t>;

// An EpochSet of numbers and ElementMarks of ints, each beside a std::set,
// through inserts, look-ups, clears and (for the numbers) growth. The ints are
// mostly from a small domain; sometimes the ends of the int range or a wide
// one (many distinct values, so the numbering grows).
TEST(Marks, AgainstStdSet) {
  RandomSets r(31);
  EpochSet numbers(10);
  ElementMarks elements;
  std::set<std::uint32_t> plain_numbers;
  std::set<int> plain_elements;
  std::size_t capacity = 10;
  static constexpr int kEdges[] = {INT_MIN, INT_MIN + 1, -1, 0, 1, INT_MAX - 1, INT_MAX};
  for (int step = 0; step < 60000; ++step) {
    const int what = r.pick(0, 99);
    if (what < 2) {
      numbers.clear(), elements.clear(), plain_numbers.clear(), plain_elements.clear();
    } else if (what < 3) {
      capacity += static_cast<std::size_t>(r.pick(0, 20));
      numbers.grow(capacity);  // the new numbers start out absent
    } else {
      const auto n = static_cast<std::uint32_t>(r.pick(0, static_cast<int>(capacity) - 1));
      const int x = what < 10    ? kEdges[r.pick(0, 6)]
                    : what >= 90 ? r.pick(INT_MIN, INT_MAX)
                                 : r.pick(-30, 30);
      if (what % 2 == 1) {
        ASSERT_EQ(numbers.insert(n), plain_numbers.insert(n).second) << step;
        elements.insert(x);
        plain_elements.insert(x);
      }
      ASSERT_EQ(numbers.contains(n), plain_numbers.contains(n)) << step;
      ASSERT_EQ(elements.has(x), plain_elements.contains(x)) << x;
    }
  }
}

// The ids common to every list whose signature holds the needed bits,
// ascending.
Ids plain_common_ids(const std::vector<Ids>& lists, const IdSignatures& signatures) {
  Ids out;
  if (lists.empty()) return out;
  for (const std::uint32_t id : lists[0]) {
    bool everywhere = signatures.of.empty() || (signatures.of[id] | ~signatures.needed) == ~0ull;
    for (const Ids& list : lists) {
      everywhere = everywhere && std::find(list.begin(), list.end(), id) != list.end();
    }
    if (everywhere) out.push_back(id);
  }
  return out;
}

// Both walks on `lists` (shortest first, as they are given in the program),
// against the plain form. The cursors are reused dirty from earlier walks.
void check_walks(std::vector<Ids> lists, const IdSignatures& signatures,
                 std::vector<std::size_t>& cursors) {
  std::stable_sort(lists.begin(), lists.end(),
                   [](const Ids& a, const Ids& b) { return a.size() < b.size(); });
  const std::vector<IdList> spans(lists.begin(), lists.end());
  const Ids expected = plain_common_ids(lists, signatures);
  EXPECT_EQ(have_common_id(spans, cursors, signatures), !expected.empty());
  Ids got;
  CommonIds walk(spans, cursors, signatures);
  for (std::uint32_t id = 0; walk.next(id);) got.push_back(id);
  EXPECT_EQ(got, expected);
  std::uint32_t id = 0;
  EXPECT_FALSE(walk.next(id));  // stays finished
}

TEST(IdLists, WalksAgainstPlainForm) {
  RandomSets r(41);
  std::vector<std::size_t> cursors(7, 99);
  std::vector<std::uint64_t> signature_of(400);
  for (std::uint64_t& s : signature_of) s = r.word() & r.word();  // about a quarter of the bits
  for (int round = 0; round < 4000; ++round) {
    std::vector<Ids> lists(static_cast<std::size_t>(r.pick(1, 5)));
    const int domain = r.pick(1, 400);
    for (Ids& list : lists) {
      // Long lists with short ones, so that the walks gallop over long gaps.
      list = r.ids(r.pick(0, 3) == 0 ? r.pick(0, 4) : r.pick(0, 300), domain);
    }
    if (round % 4 == 0) {  // one id surely common, at a random place
      const auto common = static_cast<std::uint32_t>(r.pick(0, domain - 1));
      for (Ids& list : lists) {
        list.insert(std::lower_bound(list.begin(), list.end(), common), common);
        list.erase(std::unique(list.begin(), list.end()), list.end());
      }
    }
    SCOPED_TRACE(testing::PrintToString(lists));
    check_walks(lists, {}, cursors);
    const std::uint64_t needed =
        round % 3 == 0 ? 0 : (1ull << r.pick(0, 63)) | (1ull << r.pick(0, 63));
    check_walks(lists, {signature_of, needed}, cursors);
  }
  check_walks({{UINT32_MAX - 1, UINT32_MAX}, {0, UINT32_MAX}}, {}, cursors);  // largest ids
  check_walks({}, {}, cursors);                                               // no list
}

// erase_dead keeps the live records in order; append_all moves the added ones
// after them, in order, and frees their vector. Records are moved, never copied.
TEST(Compaction, EraseDeadThenAppendAll) {
  RandomSets r(43);
  for (int round = 0; round < 300; ++round) {
    std::vector<std::unique_ptr<int>> store, added;
    std::vector<char> alive;
    std::vector<int> expected;
    for (int id = r.pick(0, 40); id > 0; --id) {
      store.push_back(std::make_unique<int>(id));
      alive.push_back(round % 7 == 0 ? 1 : static_cast<char>(r.pick(0, 1)));
      if (alive.back()) expected.push_back(id);
    }
    for (int k = r.pick(0, 3); k > 0; --k) {
      added.push_back(std::make_unique<int>(100 + k));
      expected.push_back(100 + k);
    }
    erase_dead(store, alive);
    append_all(store, added);
    std::vector<int> got;
    for (const auto& record : store) got.push_back(*record);
    EXPECT_EQ(got, expected);
    EXPECT_EQ(added.capacity(), 0u);
  }
}

}  // namespace
