#include "mining/pass_index.h"

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
    for (std::uint32_t s = 0; s < kSlots; ++s) {
      const std::vector<int>& set = c.*member(s);
      const std::uint32_t slot = sorted_.add(set);
      repeats_.push_back(sorted_.get(slot).size() != set.size());
      if (s == kGrown) continue;
      for (const int x : set) signatures_[kCompared * id + s] |= element_bit(x);
    }
    if (!gate_ok_[id]) continue;
    for (std::uint32_t s = 0; s < kCompared; ++s) {
      SignedId entry{id, {}};
      for (std::uint32_t o = 0; o < 2; ++o) {
        entry.bits[o] = fold_signature(signature(id, other_compared(s, o)));
      }
      for (const int x : sorted(id, s)) postings_[s].add(x, entry);
    }
  }
}

SetMember PassIndex::member(std::uint32_t s) const {
  return s == 0 ? &TriConcept::us : s == 1 ? &TriConcept::ts : s == 2 ? roles_.third : roles_.grown;
}

}  // namespace quadmine
