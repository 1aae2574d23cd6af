#include "store/set_primitives.h"

#include <algorithm>
#include <cstddef>
#include <utility>

#include "store/globals.h"

bool containsStandard(const std::vector<int>& set, int key) {
  return std::find(set.begin(), set.end(), key) != set.end();
}

bool containsAvecPos(const std::vector<int>& set, int key, int& position) {
  const auto it = std::find(set.begin(), set.end(), key);
  if (it == set.end()) return false;
  position = static_cast<int>(it - set.begin());
  return true;
}

bool inclus_egalStandard(const std::vector<int>& a, const std::vector<int>& b) {
  for (const int x : a) {
    if (!containsStandard(b, x)) return false;
  }
  return true;
}

void elements_en_commun(const std::vector<int>& a, const std::vector<int>& b,
                        std::vector<int>& output) {
  // The inputs behave as copies: appending to output must not change what is
  // being scanned when a caller passes the same vector twice.
  if (&output == &a || &output == &b) {
    const std::vector<int> a_copy = a;
    const std::vector<int> b_copy = b;
    elements_en_commun(a_copy, b_copy, output);
    return;
  }
  for (const int x : a) {
    if (containsStandard(b, x)) output.push_back(x);
  }
}

namespace quadmine {

void erase_positions(std::vector<TriConcept>& store, const std::vector<int>& positions) {
  if (positions.empty()) return;
  const std::size_t n = store.size();

  bool ascending_in_range = true;
  for (std::size_t k = 0; k < positions.size(); ++k) {
    const int p = positions[k];
    if (p < 0 || static_cast<std::size_t>(p) >= n || (k > 0 && p <= positions[k - 1])) {
      ascending_in_range = false;
      break;
    }
  }

  if (!ascending_in_range) {
    // Outside the contract: erase position (p - k) one at a time as the list
    // prescribes, but never address a record outside the store.
    for (std::size_t k = 0; k < positions.size(); ++k) {
      const long long at = static_cast<long long>(positions[k]) - static_cast<long long>(k);
      if (at >= 0 && static_cast<std::size_t>(at) < store.size()) {
        store.erase(store.begin() + static_cast<std::ptrdiff_t>(at));
      }
    }
    return;
  }

  // A strictly ascending list removes exactly the listed records: compact the
  // store in one pass instead of shifting the tail once per erasure.
  std::size_t write = static_cast<std::size_t>(positions[0]);
  std::size_t next = 0;
  for (std::size_t read = write; read < n; ++read) {
    if (next < positions.size() && static_cast<std::size_t>(positions[next]) == read) {
      ++next;
      continue;
    }
    store[write++] = std::move(store[read]);
  }
  store.erase(store.begin() + static_cast<std::ptrdiff_t>(write), store.end());
}

}  // namespace quadmine

void nettoyage_de_la_baseStandard(const std::vector<int>& positions) {
  quadmine::erase_positions(ens_tc, positions);
}
