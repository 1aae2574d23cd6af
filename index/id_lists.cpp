#include "index/id_lists.h"

#include <algorithm>
#include <cstddef>

namespace quadmine {

namespace {

// Number of elements of list[0, end) that are at most x, galloping down from
// end.
std::size_t count_at_most(IdList list, std::size_t end, std::uint32_t x) {
  if (end == 0 || list[end - 1] <= x) return end;
  std::size_t hi = end - 1;  // list[hi] > x
  std::size_t step = 1;
  while (step <= hi && list[hi - step] > x) {
    hi -= step;
    step *= 2;
  }
  const std::size_t lo = step <= hi ? hi - step : 0;
  const auto first = list.begin() + static_cast<std::ptrdiff_t>(lo);
  const auto last = list.begin() + static_cast<std::ptrdiff_t>(hi);
  return static_cast<std::size_t>(std::upper_bound(first, last, x) - list.begin());
}

// Position of the first element of list[begin, end) that is at least x,
// galloping up from begin.
std::size_t first_at_least(IdList list, std::size_t begin, std::uint32_t x) {
  const std::size_t end = list.size();
  if (begin >= end || list[begin] >= x) return begin;
  std::size_t lo = begin;  // list[lo] < x
  std::size_t step = 1;
  while (lo + step < end && list[lo + step] < x) {
    lo += step;
    step *= 2;
  }
  const std::size_t hi = std::min(lo + step, end);
  const auto first = list.begin() + static_cast<std::ptrdiff_t>(lo + 1);
  const auto last = list.begin() + static_cast<std::ptrdiff_t>(hi);
  return static_cast<std::size_t>(std::lower_bound(first, last, x) - list.begin());
}

}  // namespace

bool have_common_id(std::span<const IdList> lists, std::vector<std::size_t>& ends,
                    const IdSignatures& signatures) {
  if (lists.empty()) return false;
  ends.resize(lists.size());
  for (std::size_t l = 0; l < lists.size(); ++l) ends[l] = lists[l].size();
  while (ends[0] > 0) {
    std::uint32_t x = lists[0][ends[0] - 1];
    if (!signatures.pass(x)) {
      --ends[0];
      continue;
    }
    bool everywhere = true;
    for (std::size_t l = 1; l < lists.size(); ++l) {
      ends[l] = count_at_most(lists[l], ends[l], x);
      if (ends[l] == 0) return false;
      if (lists[l][ends[l] - 1] != x) {
        x = lists[l][ends[l] - 1];  // the highest id that may still be everywhere
        everywhere = false;
        break;
      }
    }
    if (everywhere) return true;
    ends[0] = count_at_most(lists[0], ends[0], x);
  }
  return false;
}

CommonIds::CommonIds(std::span<const IdList> lists, std::vector<std::size_t>& cursors,
                     const IdSignatures& signatures)
    : lists_(lists), begins_(cursors), signatures_(signatures) {
  begins_.assign(lists.size(), 0);
}

bool CommonIds::next(std::uint32_t& id) {
  if (lists_.empty()) return false;
  while (begins_[0] < lists_[0].size()) {
    std::uint32_t x = lists_[0][begins_[0]];
    if (!signatures_.pass(x)) {
      ++begins_[0];
      continue;
    }
    bool everywhere = true;
    for (std::size_t l = 1; l < lists_.size(); ++l) {
      begins_[l] = first_at_least(lists_[l], begins_[l], x);
      if (begins_[l] == lists_[l].size()) {
        begins_[0] = lists_[0].size();
        return false;
      }
      if (lists_[l][begins_[l]] != x) {
        x = lists_[l][begins_[l]];  // the lowest id that may still be everywhere
        everywhere = false;
        break;
      }
    }
    if (everywhere) {
      id = x;
      ++begins_[0];
      return true;
    }
    begins_[0] = first_at_least(lists_[0], begins_[0], x);
  }
  return false;
}

}  // namespace quadmine
