#include "output/containment_index.h"

#include <algorithm>
#include <utility>

ContainmentIndex::ContainmentIndex(const std::vector<TriConcept>& store)
    : alive_(store.size(), 1) {
  offsets_.reserve(4 * store.size() + 1);
  offsets_.push_back(0);
  std::vector<std::pair<int, std::uint32_t>> user_of;
  for (std::size_t id = 0; id < store.size(); ++id) {
    const TriConcept& c = store[id];
    for (const std::vector<int>* set : {&c.us, &c.ts, &c.rs, &c.ds}) {
      const auto begin = pool_.insert(pool_.end(), set->begin(), set->end());
      std::sort(begin, pool_.end());
      pool_.erase(std::unique(begin, pool_.end()), pool_.end());
      offsets_.push_back(pool_.size());
    }
    for (const int u : distinct(id, 0)) user_of.emplace_back(u, static_cast<std::uint32_t>(id));
  }
  std::sort(user_of.begin(), user_of.end());
  posted_.reserve(user_of.size());
  for (std::size_t k = 0; k < user_of.size(); ++k) {
    if (k == 0 || user_of[k].first != user_of[k - 1].first) {
      users_.push_back(user_of[k].first);
      user_starts_.push_back(k);
    }
    posted_.push_back(user_of[k].second);
  }
  user_starts_.push_back(posted_.size());
}

std::span<const int> ContainmentIndex::distinct(std::size_t id, int dim) const {
  const std::size_t slot = 4 * id + static_cast<std::size_t>(dim);
  return {pool_.data() + offsets_[slot], offsets_[slot + 1] - offsets_[slot]};
}

bool ContainmentIndex::included(std::size_t a, std::size_t b, int dim) const {
  const auto sa = distinct(a, dim);
  const auto sb = distinct(b, dim);
  if (sa.size() > sb.size()) return false;
  return std::includes(sb.begin(), sb.end(), sa.begin(), sa.end());
}

std::span<const std::uint32_t> ContainmentIndex::postings(int user) const {
  const auto it = std::lower_bound(users_.begin(), users_.end(), user);
  if (it == users_.end() || *it != user) return {};
  const std::size_t k = static_cast<std::size_t>(it - users_.begin());
  return {posted_.data() + user_starts_[k], user_starts_[k + 1] - user_starts_[k]};
}

std::span<const std::uint32_t> ContainmentIndex::candidates_by_user(std::size_t id) const {
  std::span<const std::uint32_t> best;
  bool first = true;
  for (const int u : distinct(id, 0)) {
    const auto p = postings(u);
    if (first || p.size() < best.size()) best = p;
    first = false;
  }
  return best;
}
