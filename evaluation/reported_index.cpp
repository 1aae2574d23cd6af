#include "evaluation/reported_index.h"

#include <algorithm>
#include <unordered_map>
#include <utility>

ReportedIndex::ReportedIndex(const std::vector<TriConcept>& reported) : reported_(reported) {
  std::vector<std::pair<int, std::uint32_t>> firsts;
  std::unordered_map<int, std::uint32_t> resource_ids, user_ids;
  rs_starts_.push_back(0);
  us_starts_.push_back(0);
  for (std::uint32_t c = 0; c < reported.size(); ++c) {
    const TriConcept& reported_concept = reported[c];
    if (!reported_concept.ds.empty()) firsts.emplace_back(reported_concept.ds.front(), c);
    for (const int r : reported_concept.rs) {
      dense_rs_.push_back(resource_ids.emplace(r, resource_ids.size()).first->second);
    }
    for (const int u : reported_concept.us) {
      dense_us_.push_back(user_ids.emplace(u, user_ids.size()).first->second);
    }
    rs_starts_.push_back(static_cast<std::uint32_t>(dense_rs_.size()));
    us_starts_.push_back(static_cast<std::uint32_t>(dense_us_.size()));
  }
  // Users are numbered after the resources.
  const auto resource_count = static_cast<std::uint32_t>(resource_ids.size());
  for (std::uint32_t& u : dense_us_) u += resource_count;
  numbered_ = resource_ids.size() + user_ids.size();

  std::stable_sort(firsts.begin(), firsts.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (std::size_t k = 0; k < firsts.size(); ++k) {
    if (k == 0 || firsts[k].first != firsts[k - 1].first) {
      first_ds_.push_back(firsts[k].first);
      group_starts_.push_back(static_cast<std::uint32_t>(k));
    }
    by_first_d_.push_back(firsts[k].second);
  }
  group_starts_.push_back(static_cast<std::uint32_t>(by_first_d_.size()));
}

std::span<const std::uint32_t> ReportedIndex::beginning_with(int d) const {
  const auto it = std::lower_bound(first_ds_.begin(), first_ds_.end(), d);
  if (it == first_ds_.end() || *it != d) return {};
  const std::size_t g = static_cast<std::size_t>(it - first_ds_.begin());
  return {by_first_d_.data() + group_starts_[g], group_starts_[g + 1] - group_starts_[g]};
}
