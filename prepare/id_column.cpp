#include "prepare/id_column.h"

#include <algorithm>
#include <cstdint>
#include <numeric>

#include "text/scanner.h"

namespace quadmine {

bool whole_int(std::string_view text, int& out) {
  TextScanner scan(text);
  int value = 0;
  if (!scan.number(value) || !scan.only_space_left()) return false;
  out = value;
  return true;
}

namespace {

// An int written the usual way: an optional '-', then decimal digits without
// a leading zero ("0" itself aside, "-0" not), within the int range.
bool plain_int(std::string_view text, int& out) {
  const std::size_t sign = !text.empty() && text[0] == '-' ? 1 : 0;
  const std::size_t length = text.size() - sign;
  if (length == 0 || length > 10 || (text[sign] == '0' && (length > 1 || sign == 1))) {
    return false;
  }
  std::int64_t value = 0;
  for (std::size_t i = sign; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    value = value * 10 + (text[i] - '0');
  }
  value = sign == 1 ? -value : value;
  if (value < INT32_MIN || value > INT32_MAX) return false;
  out = static_cast<int>(value);
  return true;
}

}  // namespace

std::uint32_t IdColumn::intern(std::string_view text) {
  int value = 0;
  if (coded_ || !plain_int(text, value)) return intern_text(text);
  const auto index = static_cast<std::uint32_t>(texts_.size());
  const std::uint32_t found = by_integer_.emplace(value, index);
  if (found == index) {
    texts_.push_back(nullptr);
    integers_.push_back(value);
  }
  return found;
}

std::uint32_t IdColumn::intern_text(std::string_view text) {
  const auto found = by_text_.find(text);
  if (found != by_text_.end()) return found->second;
  const auto index = static_cast<std::uint32_t>(texts_.size());
  texts_.push_back(&by_text_.emplace(std::string(text), index).first->first);
  int value = 0;
  if (!coded_ && whole_int(text, value)) {
    integers_.push_back(value);
  } else if (!coded_) {
    become_coded();
  }
  return index;
}

// Puts the texts found by their value so far among the others.
void IdColumn::become_coded() {
  coded_ = true;
  for (std::uint32_t i = 0; i < texts_.size(); ++i) {
    if (texts_[i] == nullptr) {
      texts_[i] = &by_text_.emplace(std::to_string(integers_[i]), i).first->first;
    }
  }
  std::vector<int>().swap(integers_);
  by_integer_ = FlatIntMap();
}

void IdColumn::settle() {
  const std::size_t n = texts_.size();
  std::vector<std::uint32_t> order(n);
  std::iota(order.begin(), order.end(), 0U);
  codes_.resize(n);
  entries_.clear();
  entries_.reserve(n);
  if (coded_) {
    std::sort(order.begin(), order.end(),
              [&](std::uint32_t a, std::uint32_t b) { return *texts_[a] < *texts_[b]; });
    for (std::size_t rank = 0; rank < n; ++rank) {
      codes_[order[rank]] = static_cast<int>(rank + 1);
      entries_.push_back(Entry{static_cast<int>(rank + 1), order[rank]});
    }
    return;
  }
  std::copy(integers_.begin(), integers_.end(), codes_.begin());
  std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
    return integers_[a] != integers_[b] ? integers_[a] < integers_[b] : a < b;
  });
  for (const std::uint32_t index : order) {
    if (entries_.empty() || entries_.back().code != integers_[index]) {
      entries_.push_back(Entry{integers_[index], index});
    }
  }
}

std::optional<std::size_t> IdColumn::position(std::string_view id) const {
  if (coded_) {
    const auto found = by_text_.find(id);
    if (found == by_text_.end()) return std::nullopt;
    return static_cast<std::size_t>(codes_[found->second] - 1);
  }
  int value = 0;
  if (!whole_int(id, value)) return std::nullopt;
  const auto at = std::lower_bound(entries_.begin(), entries_.end(), value,
                                   [](const Entry& e, int v) { return e.code < v; });
  if (at == entries_.end() || at->code != value) return std::nullopt;
  return static_cast<std::size_t>(at - entries_.begin());
}

}  // namespace quadmine
