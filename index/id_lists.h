// Intersections of ascending lists of ids (holder lists of elements).
//
// A record that holds every element of a concept is in the holder list of
// each element, so the records containing a concept are the ids common to
// all those lists. Both functions take the lists shortest first and walk the
// shortest one, galloping through the others with a cursor each, so the cost
// follows the shortest list and the gaps, not the total length.
//
// Both use `cursors` as working space.
//
// have_common_id(lists)    whether some id occurs in every list (false when
//                          there is no list). It looks from the highest ids
//                          down and stops at the first common one.
// CommonIds                every id common to all lists, one at a time,
//                          ascending (none when there is no list).
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace quadmine {

using IdList = std::span<const std::uint32_t>;

// A quick test that the walks apply to each id of the shortest list before
// looking it up in the others: an id can be common only when its signature
// (index/signature.h) holds the `needed` bits. Without signatures, every id passes.
struct IdSignatures {
  std::span<const std::uint64_t> of;  // per id
  std::uint64_t needed = 0;
  bool pass(std::uint32_t id) const { return of.empty() || (of[id] & needed) == needed; }
};

bool have_common_id(std::span<const IdList> lists, std::vector<std::size_t>& cursors,
                    const IdSignatures& signatures = {});

class CommonIds {
 public:
  // `lists` must outlive the walk; `cursors` is working space.
  CommonIds(std::span<const IdList> lists, std::vector<std::size_t>& cursors,
            const IdSignatures& signatures = {});
  // Stores the next common id in `id`; false when there is none left.
  bool next(std::uint32_t& id);

 private:
  std::span<const IdList> lists_;
  std::vector<std::size_t>& begins_;
  IdSignatures signatures_;
};

}  // namespace quadmine
