#include "index/signed_postings.h"

namespace quadmine {

void SignedPostings::add(int value, const SignedId& entry) {
  const auto fresh = static_cast<std::uint32_t>(lists_.size());
  const std::uint32_t list = lists_of_.emplace(value, fresh);
  if (list == fresh) lists_.emplace_back();
  lists_[list].push_back(entry);
}

std::span<const SignedId> SignedPostings::later(int value, std::uint32_t id) {
  const std::uint32_t list = lists_of_.find(value);
  if (list == FlatIntMap::kAbsent) return {};
  if (passed_.size() < lists_.size()) passed_.resize(lists_.size(), 0);
  const std::vector<SignedId>& entries = lists_[list];
  std::uint32_t& passed = passed_[list];
  while (passed < entries.size() && entries[passed].id <= id) ++passed;
  return std::span(entries).subspan(passed);
}

}  // namespace quadmine
