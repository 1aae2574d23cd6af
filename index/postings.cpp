#include "index/postings.h"

namespace quadmine {

void Postings::add(int value, std::uint32_t id) {
  const auto fresh = static_cast<std::uint32_t>(lists_.size());
  const std::uint32_t list = lists_of_.emplace(value, fresh);
  if (list == fresh) lists_.emplace_back();
  lists_[list].push_back(id);
}

}  // namespace quadmine
