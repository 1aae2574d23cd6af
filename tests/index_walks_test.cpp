// Epoch sets and element marks, the walks over ascending id lists
// (have_common_id, CommonIds, with and without signatures) and the compaction
// of a store, each against a plain form on random inputs plus edge rows.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <memory>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "index/compaction.h"
#include "index/epoch_set.h"
#include "index/id_lists.h"
#include "random_sets.h"

using namespace quadmine;  // NOLINT: the tests and benchmarks use the program's names

namespace {

using Ids = std::vector<std::uint32_t>;

TEST(Marks, EpochSetAgainstStdSet) {
  RandomSets r(31);
  EpochSet marks(10);
  std::set<std::uint32_t> plain;
  std::size_t capacity = 10;
  for (int step = 0; step < 50000; ++step) {
    const int what = r.pick(0, 99);
    if (what < 2) {
      marks.clear();
      plain.clear();
    } else if (what < 3) {
      capacity += static_cast<std::size_t>(r.pick(0, 20));
      marks.grow(capacity);  // the new numbers start out absent
    } else {
      const auto n = static_cast<std::uint32_t>(r.pick(0, static_cast<int>(capacity) - 1));
      if (what < 60) {
        ASSERT_EQ(marks.insert(n), plain.insert(n).second) << step;
      } else {
        ASSERT_EQ(marks.contains(n), plain.contains(n)) << step;
      }
    }
  }
}

TEST(Marks, EpochSetClearedManyTimes) {
  EpochSet marks(3);
  for (int round = 0; round < 100000; ++round) {
    ASSERT_FALSE(marks.contains(1));
    ASSERT_TRUE(marks.insert(1));
    ASSERT_FALSE(marks.insert(1));
    marks.clear();
  }
  EXPECT_FALSE(marks.contains(0) || marks.contains(1) || marks.contains(2));
}

TEST(Marks, ElementMarksAgainstStdSet) {
  RandomSets r(37);
  ElementMarks marks;
  std::set<int> plain;
  static constexpr int kEdges[] = {INT_MIN, INT_MIN + 1, -1, 0, 1, INT_MAX - 1, INT_MAX};
  for (int step = 0; step < 60000; ++step) {
    const int what = r.pick(0, 99);
    if (what == 0) {
      marks.clear();
      plain.clear();
      continue;
    }
    // Mostly a small domain; sometimes the ends of the int range or a wide one
    // (many distinct values, so the numbering grows).
    int x = r.pick(-30, 30);
    if (what < 10) x = kEdges[r.pick(0, 6)];
    if (what >= 90) x = r.pick(INT_MIN, INT_MAX);
    if (what % 2 == 0) {
      ASSERT_EQ(marks.has(x), plain.contains(x)) << x;
    } else {
      marks.insert(x);
      plain.insert(x);
      ASSERT_TRUE(marks.has(x)) << x;
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
}

TEST(IdLists, EdgeRows) {
  std::vector<std::size_t> cursors;
  const std::vector<std::uint64_t> signatures = {1, 3, 2, 3, 0, 1};
  struct Row {
    const char* name;
    std::vector<Ids> lists;
  };
  const Row rows[] = {
      {"no list", {}},
      {"one empty list", {{}}},
      {"one list", {{0, 3, 5}}},
      {"an empty list among others", {{}, {1, 2}, {1, 2, 3}}},
      {"common at the first id only", {{0, 4}, {0, 1, 2, 3, 5}}},
      {"common at the last id only", {{5}, {0, 1, 2, 3, 4, 5}}},
      {"no common id, interleaved", {{0, 2, 4}, {1, 3, 5}}},
      {"every id common", {{0, 1, 2, 3, 4, 5}, {0, 1, 2, 3, 4, 5}, {0, 1, 2, 3, 4, 5}}},
      {"largest ids", {{UINT32_MAX - 1, UINT32_MAX}, {0, UINT32_MAX}}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    check_walks(row.lists, {}, cursors);
    if (row.name != std::string("largest ids")) {
      for (const std::uint64_t needed : {0ull, 1ull, 2ull, 3ull}) {
        check_walks(row.lists, {signatures, needed}, cursors);
      }
    }
  }
}

TEST(Compaction, EraseDeadKeepsTheLiveInOrder) {
  RandomSets r(43);
  for (int round = 0; round < 300; ++round) {
    const int size = r.pick(0, 40);
    std::vector<std::unique_ptr<int>> store;  // moved, never copied
    std::vector<char> alive;
    std::vector<int> expected;
    for (int id = 0; id < size; ++id) {
      store.push_back(std::make_unique<int>(id));
      alive.push_back(round % 7 == 0 ? 1 : static_cast<char>(r.pick(0, 1)));
      if (alive.back()) expected.push_back(id);
    }
    erase_dead(store, alive);
    std::vector<int> got;
    for (const auto& record : store) got.push_back(*record);
    EXPECT_EQ(got, expected);
  }
}

TEST(Compaction, AppendAllMovesInOrderAndFrees) {
  for (const std::size_t kept : {0u, 1u, 5u}) {
    for (const std::size_t moved : {0u, 1u, 3u}) {
      std::vector<std::unique_ptr<int>> store, added;
      for (std::size_t k = 0; k < kept; ++k) store.push_back(std::make_unique<int>(k));
      for (std::size_t k = 0; k < moved; ++k) added.push_back(std::make_unique<int>(100 + k));
      append_all(store, added);
      ASSERT_EQ(store.size(), kept + moved);
      for (std::size_t k = 0; k < store.size(); ++k) {
        EXPECT_EQ(*store[k], static_cast<int>(k < kept ? k : 100 + k - kept));
      }
      EXPECT_TRUE(added.empty());
      EXPECT_EQ(added.capacity(), 0u);
    }
  }
}

}  // namespace
