// The hash tables of index/ (the OpenTable core, FlatMap/FlatIntMap, and
// SetKeys and WordKeys on PooledKeys) against std::map and std::set on random
// keys, with keys at the ends of the int range, keys that differ only in high
// bits, and tables whose keys all share one home slot.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <map>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "index/flat_int_map.h"
#include "index/open_table.h"
#include "index/set_keys.h"
#include "index/word_keys.h"
#include "random_sets.h"

using namespace quadmine;  // NOLINT: the tests and benchmarks use the program's names

namespace {

using Ints = std::vector<int>;

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

TEST(Tables, FlatIntMapAgainstStdMap) {
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

// The tag pass keys its groups by a resource and a D value in one 64-bit word:
// keys that differ only in their high half must stay apart.
TEST(Tables, FlatMapOfWideKeys) {
  std::vector<std::uint64_t> keys, absent;
  for (std::uint64_t high = 0; high < 300; ++high) {
    for (const std::uint64_t low : {0ull, 1ull, 0xffffffffull}) {
      keys.push_back(high << 32 | low);
      keys.push_back(~(high << 32 | low));
      absent.push_back((high + 1000) << 32 | low);
    }
  }
  check_flat_map(keys, absent);
}

// A slot of the core for tests: the key and its hash, chosen by the test.
struct TestSlot {
  std::uint64_t hash = 0;
  std::uint32_t value = kFreeSlot;  // the key
};

template <TableShape kShape>
std::size_t add(OpenTable<TestSlot, kShape>& table, std::uint64_t hash, std::uint32_t key) {
  table.make_room([](const TestSlot& slot) { return slot.hash; });
  const std::size_t s =
      table.probe(hash, [key](const TestSlot& slot) { return slot.value == key; });
  if (table.is_free(s)) table.take(s, {hash, key});
  return s;
}

template <TableShape kShape>
bool has(const OpenTable<TestSlot, kShape>& table, std::uint64_t hash, std::uint32_t key) {
  return !table.is_free(
      table.probe(hash, [key](const TestSlot& slot) { return slot.value == key; }));
}

// Every key has the same hash: each look-up walks the whole cluster, which
// wraps round the end of the array when the home is the last slot.
TEST(Tables, CoreWithEveryKeyInOneHomeSlot) {
  for (const std::uint64_t hash : {0ull, ~0ull, 1ull << 63}) {
    SCOPED_TRACE(hash);
    OpenTable<TestSlot, TableShape{.first_capacity = 2}> table;
    for (std::uint32_t key = 0; key < 1000; ++key) {
      add(table, hash, key);
      const std::size_t s = add(table, hash, key / 2);  // there already: found, not added
      ASSERT_EQ(add(table, hash, key / 2), s);
      ASSERT_EQ(table.size(), key + 1);
      ASSERT_FALSE(has(table, hash, 5000));  // the walk ends on a free slot
    }
    for (std::uint32_t key = 0; key < 1000; ++key) ASSERT_TRUE(has(table, hash, key)) << key;
    EXPECT_FALSE(has(table, hash, 1000));
    EXPECT_FALSE(has(table, hash ^ 1, 5000));
  }
}

// Clearing frees exactly the taken slots, before and after the table grew.
// Even keys all share the home slot of hash 0; odd keys are spread.
TEST(Tables, CoreClearedBetweenRounds) {
  const auto hash = [](std::uint32_t key) { return key % 2 ? key * 0x9e3779b97f4a7c15ull : 0; };
  OpenTable<TestSlot, TableShape{.first_capacity = 2, .clearable = true}> table;
  RandomSets r(5);
  for (int round = 0; round < 6; ++round) {
    std::set<std::uint32_t> keys;
    const int count = round % 2 ? 5 : 3000;
    for (int k = 0; k < count; ++k) {
      const auto key = static_cast<std::uint32_t>(r.pick(0, 5000));
      add(table, hash(key), key);
      keys.insert(key);
    }
    ASSERT_EQ(table.size(), keys.size());
    for (const std::uint32_t key : keys) ASSERT_TRUE(has(table, hash(key), key));
    table.clear();
    EXPECT_EQ(table.size(), 0u);
    for (const std::uint32_t key : keys) ASSERT_FALSE(has(table, hash(key), key));
  }
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

}  // namespace
