#include "index/postings.h"

std::span<const std::uint32_t> Postings::of(int value) const {
  const auto it = lists_.find(value);
  if (it == lists_.end()) return {};
  return it->second;
}
