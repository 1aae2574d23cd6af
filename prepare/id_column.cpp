#include "prepare/id_column.h"

#include "prepare/raw_fields.h"

namespace quadmine {

std::uint32_t IdColumn::intern(std::string_view text) {
  const auto [it, added] =
      index_.try_emplace(std::string(text), static_cast<std::uint32_t>(texts_.size()));
  if (added) {
    texts_.emplace_back(text);
    int value = 0;
    if (!coded_ && whole_int(text, value)) {
      integers_.push_back(value);
    } else {
      coded_ = true;
      integers_.clear();
    }
  }
  return it->second;
}

std::vector<int> IdColumn::ids() const {
  if (!coded_) return integers_;
  std::vector<int> codes(texts_.size());
  for (std::size_t i = 0; i < codes.size(); ++i) codes[i] = static_cast<int>(i + 1);
  return codes;
}

}  // namespace quadmine
