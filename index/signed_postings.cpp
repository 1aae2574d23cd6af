#include "index/signed_postings.h"

#include <algorithm>

void SignedPostings::add(int value, const SignedId& entry) {
  const auto fresh = static_cast<std::uint32_t>(lists_.size());
  const std::uint32_t list = lists_of_.emplace(value, fresh);
  if (list == fresh) lists_.emplace_back();
  lists_[list].push_back(entry);
}

std::span<const SignedId> SignedPostings::above(std::span<const SignedId> list, std::uint32_t id) {
  const auto first = std::upper_bound(list.begin(), list.end(), id,
                                      [](std::uint32_t x, const SignedId& e) { return x < e.id; });
  return {first, list.end()};
}
