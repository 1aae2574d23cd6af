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
}

TEST(IdLists, EdgeRows) {
  std::vector<std::size_t> cursors;
  const std::vector<std::uint64_t> signatures = {1, 3, 2, 3, 0, 1};
  const std::vector<std::vector<Ids>> rows = {
      {},                                                            // no list
      {{}},                                                          // one empty list
      {{0, 3, 5}},                                                   // one list
      {{}, {1, 2}, {1, 2, 3}},                                       // an empty list among others
      {{0, 4}, {0, 1, 2, 3, 5}},                                     // common at the first id only
      {{5}, {0, 1, 2, 3, 4, 5}},                                     // common at the last id only
      {{0, 2, 4}, {1, 3, 5}},                                        // no common id, interleaved
      {{0, 1, 2, 3, 4, 5}, {0, 1, 2, 3, 4, 5}, {0, 1, 2, 3, 4, 5}},  // every id common
  };
  for (const std::vector<Ids>& lists : rows) {
    SCOPED_TRACE(testing::PrintToString(lists));
    check_walks(lists, {}, cursors);
    for (const std::uint64_t needed : {1ull, 2ull, 3ull}) {
      check_walks(lists, {signatures, needed}, cursors);
    }
  }
  check_walks({{UINT32_MAX - 1, UINT32_MAX}, {0, UINT32_MAX}}, {}, cursors);  // largest ids
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
