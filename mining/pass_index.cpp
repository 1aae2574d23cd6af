#include "mining/pass_index.h"

#include <algorithm>

namespace quadmine {

PassIndex::PassIndex(const std::vector<TriConcept>& store, const Thresholds& thresholds,
                     const ExtensionRoles& roles)
    : roles_(roles),
      thresholds_(thresholds),
      n_(static_cast<std::uint32_t>(store.size())),
      gate_ok_(store.size()),
      signatures_(kCompared * store.size()) {
  for (std::uint32_t id = 0; id < n_; ++id) {
    const TriConcept& c = store[id];
    gate_ok_[id] = reaches((c.*roles_.gate).size(), roles_.gate_threshold);
    for (std::uint32_t s = 0; s < kSlots; ++s) add_list(id, s, c.*member(s));
    if (!gate_ok_[id]) continue;
    for (std::uint32_t s = 0; s < kCompared; ++s) {
      SignedId entry{id, {}};
      for (std::uint32_t o = 0; o < 2; ++o) {
        entry.bits[o] = fold_signature(signature(id, other_compared(s, o)));
      }
      for (const int x : sorted(id, s)) postings_.add(s, x, entry);
    }
  }
}

// Notes list s of concept `id`: its sorted distinct copy, whether it repeats
// an element, and for a compared list its signature and, when it repeats, the
// list itself.
void PassIndex::add_list(std::uint32_t id, std::uint32_t s, const std::vector<int>& list) {
  const std::uint32_t slot = sorted_.add(list);
  const bool repeats = sorted_.get(slot).size() != list.size();
  repeats_.push_back(repeats);
  if (s == kGrown) return;
  for (const int x : list) signatures_[kCompared * id + s] |= signature_bit(s, x);
  if (!repeats) return;
  repeated_slots_.push_back(slot);
  repeated_pool_.insert(repeated_pool_.end(), list.begin(), list.end());
  repeated_starts_.push_back(repeated_pool_.size());
}

std::span<const int> PassIndex::list_with_repeats(std::uint32_t id, std::uint32_t s) const {
  const auto at = std::lower_bound(repeated_slots_.begin(), repeated_slots_.end(), kSlots * id + s);
  const auto k = static_cast<std::size_t>(at - repeated_slots_.begin());
  return std::span(repeated_pool_)
      .subspan(repeated_starts_[k], repeated_starts_[k + 1] - repeated_starts_[k]);
}

SetMember PassIndex::member(std::uint32_t s) const {
  return s == 0 ? &TriConcept::us : s == 1 ? &TriConcept::ts : s == 2 ? roles_.third : roles_.grown;
}

}  // namespace quadmine
