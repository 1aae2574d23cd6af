#include "evaluation/reported_index.h"

#include <algorithm>
#include <unordered_map>
#include <utility>

namespace quadmine {

ReportedIndex::ReportedIndex(const std::vector<TriConcept>& reported, Parts parts)
    : reported_(reported) {
  std::vector<std::pair<int, std::uint32_t>> firsts;  // (first D value, concept)
  std::unordered_map<int, std::uint32_t> resource_numbers;
  rs_starts_.push_back(0);
  for (std::uint32_t c = 0; c < reported.size(); ++c) {
    const TriConcept& concept_c = reported[c];
    if (!concept_c.ds.empty()) firsts.emplace_back(concept_c.ds.front(), c);
    if (parts == Parts::UsersOnly) continue;
    for (const int r : concept_c.rs) {
      const auto fresh = static_cast<std::uint32_t>(resource_numbers.size());
      resource_of_.push_back(resource_numbers.emplace(r, fresh).first->second);
    }
    rs_starts_.push_back(static_cast<std::uint32_t>(resource_of_.size()));
  }
  build_mark_.assign(resource_numbers.size(), 0);
  build_slot_.assign(resource_numbers.size(), 0);
  std::stable_sort(firsts.begin(), firsts.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });

  std::vector<std::uint32_t> members;
  for (std::size_t k = 0; k < firsts.size(); ++k) {
    members.push_back(firsts[k].second);
    if (k + 1 < firsts.size() && firsts[k + 1].first == firsts[k].first) continue;
    first_ds_.push_back(firsts[k].first);
    index_group(members, parts);
    members.clear();
  }
  resource_starts_.push_back(static_cast<std::uint32_t>(resources_.size()));
  user_starts_.push_back(static_cast<std::uint32_t>(users_.size()));
  holder_starts_.push_back(static_cast<std::uint32_t>(holder_users_.size()));
  build_mark_ = {};
  build_slot_ = {};
}

void ReportedIndex::index_group(std::span<const std::uint32_t> members, Parts parts) {
  resource_starts_.push_back(static_cast<std::uint32_t>(resources_.size()));
  user_starts_.push_back(static_cast<std::uint32_t>(users_.size()));
  holder_starts_.push_back(static_cast<std::uint32_t>(holder_users_.size()));
  if (parts == Parts::All) index_resources(members);
  index_users(members, parts);
}

// The group's distinct resources in first-seen order, with the number of
// concepts holding each; resource_of_ turns from dense numbers into indexes
// in the group's resources.
void ReportedIndex::index_resources(std::span<const std::uint32_t> members) {
  const std::size_t first = resources_.size();
  const std::uint32_t epoch = ++build_epoch_;
  for (const std::uint32_t c : members) {
    const std::vector<int>& rs = reported_[c].rs;
    for (std::size_t k = 0; k < rs.size(); ++k) {
      std::uint32_t& slot = resource_of_[rs_starts_[c] + k];
      const std::uint32_t dense = slot;
      if (build_mark_[dense] != epoch) {
        build_mark_[dense] = epoch;
        build_slot_[dense] = static_cast<std::uint32_t>(resources_.size() - first);
        resources_.push_back({rs[k], 0, 0});
        resource_supports_.push_back(0);
      }
      slot = build_slot_[dense];
      // While counting, places_begin holds one more than the last concept
      // counted and places_end the count.
      Resource& resource = resources_[first + slot];
      if (resource.places_begin != c + 1) {
        resource.places_begin = c + 1;
        ++resource.places_end;
      }
    }
  }
  place_resources(members, first);
}

// The places of each resource of the group (from `first` in resources_),
// concepts ascending, and the supports: each place adds the size of its
// concept's U set.
void ReportedIndex::place_resources(std::span<const std::uint32_t> members, std::size_t first) {
  auto cursor = static_cast<std::uint32_t>(places_.size());
  for (std::size_t s = first; s < resources_.size(); ++s) {
    const std::uint32_t count = resources_[s].places_end;
    resources_[s].places_begin = resources_[s].places_end = cursor;
    cursor += count;
  }
  places_.resize(cursor);
  for (const std::uint32_t c : members) {
    for (std::size_t k = 0; k < reported_[c].rs.size(); ++k) {
      Resource& resource = resources_[first + resource_of_[rs_starts_[c] + k]];
      const bool first_here = resource.places_end == resource.places_begin ||
                              places_[resource.places_end - 1].holder != c;
      if (first_here) {
        places_[resource.places_end++] = {c, static_cast<std::uint32_t>(k)};
        resource_supports_[first + resource_of_[rs_starts_[c] + k]] += reported_[c].us.size();
      }
    }
  }
}

// The group's distinct users in first-seen order, each with the number of
// concepts holding it, and the (user, concept) pairs.
void ReportedIndex::index_users(std::span<const std::uint32_t> members, Parts parts) {
  const std::size_t first = users_.size();
  std::unordered_map<int, std::uint32_t> slots;        // user -> index in the group's users
  std::vector<std::uint32_t> last_counted;             // per slot: one more than the last concept
  std::vector<std::pair<int, std::uint32_t>> holders;  // (user, concept)
  for (const std::uint32_t c : members) {
    for (const int u : reported_[c].us) {
      const auto [slot, fresh] =
          slots.emplace(u, static_cast<std::uint32_t>(users_.size() - first));
      if (fresh) {
        users_.push_back(u);
        user_supports_.push_back(0);
        last_counted.push_back(0);
      }
      if (last_counted[slot->second] != c + 1) {
        last_counted[slot->second] = c + 1;
        ++user_supports_[first + slot->second];
      }
      if (parts == Parts::All) holders.emplace_back(u, c);
    }
  }
  std::sort(holders.begin(), holders.end());
  holders.erase(std::unique(holders.begin(), holders.end()), holders.end());
  for (const auto& [u, c] : holders) {
    holder_users_.push_back(u);
    holder_concepts_.push_back(c);
  }
}

std::uint32_t ReportedIndex::group(int d) const {
  const auto it = std::lower_bound(first_ds_.begin(), first_ds_.end(), d);
  if (it == first_ds_.end() || *it != d) return kNoGroup;
  return static_cast<std::uint32_t>(it - first_ds_.begin());
}

std::span<const std::uint32_t> ReportedIndex::holding(std::uint32_t g, int user) const {
  const auto begin = holder_users_.begin() + holder_starts_[g];
  const auto end = holder_users_.begin() + holder_starts_[g + 1];
  const auto [lo, hi] = std::equal_range(begin, end, user);
  return {holder_concepts_.data() + (lo - holder_users_.begin()),
          static_cast<std::size_t>(hi - lo)};
}

}  // namespace quadmine
