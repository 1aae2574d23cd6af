#include "mining/extension_pass.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <memory>
#include <span>
#include <utility>
#include <vector>

#include "index/compaction.h"
#include "index/epoch_set.h"
#include "index/sorted_sets.h"
#include "index/word_keys.h"
#include "mining/fresh_index.h"
#include "mining/neighbour_finder.h"
#include "mining/pass_index.h"
#include "store/globals.h"
#include "store/thresholds.h"
#include "threads/work_ahead.h"
#include "util/progress.h"

namespace quadmine {

// The pass walks the store by stable ids: a concept's id is its position when
// the pass starts. Erasing a concept only marks it dead, so the i-th current
// concept is simply the next live id, and "every later concept" is every live
// id above the current one. Only the current concept changes during its
// iteration (its grown list), so the U, T and third sets of every concept can
// be indexed once (PassIndex).
//
// Which later concepts matter to a concept, and how they compare with it,
// therefore depends on nothing the pass changes: a NeighbourFinder works it
// out from the PassIndex alone, as the producer of a WorkAhead that runs ahead
// of the pass in a second thread, while this thread does everything that
// depends on the order of the iterations (absorbing, erasing, deciding on new
// concepts). The results are those of a single thread; the finder only saves
// this one the work. The pass reads the index through a const pointer too.
//
// Common lists are kept as bitsets of the current concept's sorted elements;
// the lists in the current concept's order are built only for the new
// concepts accepted.

namespace {

using FinderAhead = WorkAhead<NeighbourFinder>;

// The finder's results for one concept after another, in ascending ids,
// taken from the finder's buffers (skipping the concepts not asked for).
class NeighbourReader {
 public:
  explicit NeighbourReader(FinderAhead& ahead) : ahead_(ahead) {}

  // The buffer holding the results of `cur`, and their range in it.
  struct Range {
    const Neighbours* in;
    std::size_t begin;
    std::size_t end;
    bool compared;
  };
  Range of(std::uint32_t cur) {
    for (;;) {
      if (buffer_ == nullptr) {
        buffer_ = ahead_.next();
        if (buffer_ == nullptr) std::terminate();  // the finder covers every gated concept
        at_ = 0;
      }
      for (; at_ < buffer_->curs.size(); ++at_) {
        const Neighbours::Of& of = buffer_->curs[at_];
        if (of.cur < cur) continue;
        if (of.cur > cur) std::terminate();  // asked out of order
        return {buffer_, at_ == 0 ? 0 : buffer_->curs[at_ - 1].end, of.end, of.compared};
      }
      buffer_ = nullptr;  // the next call to next() leaves it to the finder
    }
  }

 private:
  FinderAhead& ahead_;
  const Neighbours* buffer_ = nullptr;
  std::size_t at_ = 0;
};

class ExtensionPass {
 public:
  ExtensionPass(std::vector<TriConcept>& store, const Thresholds& thresholds,
                const ExtensionRoles& roles)
      : store_(store),
        roles_(roles),
        index_(std::make_unique<const PassIndex>(store, thresholds, roles)),
        n_(store.size()) {
    alive_.assign(n_, 1);
  }

  void run(const ExtensionOptions& options) {
    {
      FinderAhead ahead(options.ahead, *index_, options.found_per_buffer,
                        options.concepts_per_buffer);
      NeighbourReader reader(ahead);
      scan_all(reader);
    }
    // Survivors in their order, then the accepted new concepts. The indexes
    // go first, so that they do not add to the memory the store then needs.
    index_.reset();
    fresh_index_ = FreshIndex(FreshIndex::kU | FreshIndex::kT | FreshIndex::kR | FreshIndex::kD);
    erase_dead(store_, alive_);
    append_new_concepts();
  }

 private:
  void scan_all(NeighbourReader& reader) {
    std::size_t alive_count = n_;
    std::vector<std::uint32_t> collected;
    std::size_t cur = static_cast<std::size_t>(-1);
    for (std::size_t i = 0;; ++i) {
      // The bound looks at the store as the previous iteration left it.
      if (i + 1 >= alive_count) break;
      for (const std::uint32_t k : collected) alive_[k] = 0;
      alive_count -= collected.size();
      collected.clear();
      if (i >= alive_count) break;
      do ++cur;
      while (!alive_[cur]);
      progress_step(i);
      const auto id = static_cast<std::uint32_t>(cur);
      if (index_->gate_ok(id)) scan(id, reader.of(id), collected);
    }
    for (const std::uint32_t k : collected) alive_[k] = 0;
  }

  // Elements of the current concept's set, in its order, found in k's.
  static void common(const std::vector<int>& mine, std::span<const int> theirs,
                     std::vector<int>& out) {
    out.clear();
    for (const int x : mine) {
      if (sorted_contains(theirs, x)) out.push_back(x);
    }
  }

  // Whether a neighbour whose lists the current one absorbed is redundant.
  bool as_long(const TriConcept& current, const TriConcept& neighbour) const {
    return current.ts.size() == neighbour.ts.size() && current.us.size() == neighbour.us.size() &&
           (!roles_.third_length_counts ||
            (current.*roles_.third).size() == (neighbour.*roles_.third).size());
  }

  void scan(std::uint32_t cur, NeighbourReader::Range neighbours,
            std::vector<std::uint32_t>& collected) {
    if (!neighbours.compared) {  // the finder left the comparisons to the pass
      compared_here_.clear();
      const auto candidates = std::span(neighbours.in->found)
                                  .subspan(neighbours.begin, neighbours.end - neighbours.begin);
      compare_candidates(*index_, cur, candidates, compared_here_,
                         [&](std::uint32_t k) { return alive_[k] != 0; });
      neighbours = {&compared_here_, 0, compared_here_.found.size(), true};
    }
    grown_marks_.clear();
    for (const int x : store_[cur].*roles_.grown) grown_marks_.insert(x);
    const std::span<const int> grown = index_->sorted(cur, kGrown);
    grown_sorted_.assign(grown.begin(), grown.end());
    decided_.clear();
    words_ = 0;
    for (std::uint32_t s = 0; s < kCompared; ++s)
      words_ += (index_->sorted(cur, s).size() + 63) / 64;

    for (std::size_t f = neighbours.begin; f < neighbours.end; ++f) {
      const Neighbours::Found& found = neighbours.in->found[f];
      const std::uint32_t k = found.id;
      if (!alive_[k]) continue;
      if (found.contained) {
        const std::vector<int>& offered = store_[k].*roles_.grown;
        if (!offered.empty() && !grown_marks_.has(offered.front())) {
          decide_waiting(cur);  // before the grown list changes
          absorb(cur, k);
          decided_.clear();
          if (as_long(store_[cur], store_[k])) collected.push_back(k);
          continue;
        }
      }
      if (found.builds) {
        try_new_concept(cur, k, std::span(neighbours.in->bits).subspan(found.words, words_));
      }
    }
    decide_waiting(cur);
  }

  // The current concept takes the grown list of k: each element it lacks
  // goes to the end of its own, in k's order.
  void absorb(std::uint32_t cur, std::uint32_t k) {
    std::vector<int>& grown = store_[cur].*roles_.grown;
    for (const int x : store_[k].*roles_.grown) {
      if (!grown_marks_.has(x)) {
        grown_marks_.insert(x);
        grown.push_back(x);
      }
    }
    sorted_union(grown_sorted_, index_->sorted(k, kGrown), union_sorted_);
    grown_sorted_.swap(union_sorted_);
  }

  // The common lists (`bits` of the current concept's sorted elements) reach
  // their thresholds: the new concept they make with the union of both grown
  // lists, unless this pass decided on it before.
  void try_new_concept(std::uint32_t cur, std::uint32_t k, std::span<const std::uint64_t> bits) {
    // The same candidate comes from many neighbours of one concept. Its
    // common lists are known by their bits, and its grown list by what k
    // adds to the current one, so the candidates met before during this scan
    // are settled here, without FreshIndex.
    const std::span<const int> offered = index_->sorted(k, kGrown);
    added_.clear();
    for (const int x : offered) {
      if (!grown_marks_.has(x)) added_.push_back(static_cast<std::uint32_t>(x));
    }
    if (!decided_.insert(bits, added_)) return;

    std::size_t word = 0;
    for (std::uint32_t s = 0; s < kCompared; ++s) {
      const std::span<const int> mine = index_->sorted(cur, s);
      common_sorted_[s].clear();
      elements_of_bits(mine, bits.subspan(word), common_sorted_[s]);
      word += (mine.size() + 63) / 64;
    }
    sorted_union(grown_sorted_, offered, union_sorted_);
    const bool grows_r = roles_.grown == &TriConcept::rs;
    const std::vector<int>* sets[4] = {&common_sorted_[0], &common_sorted_[1],
                                       grows_r ? &union_sorted_ : &common_sorted_[2],
                                       grows_r ? &common_sorted_[2] : &union_sorted_};
    Waiting& waiting = waiting_.emplace_back();
    waiting.k = k;
    waiting.begin = waiting_sets_.size();
    for (std::uint32_t set = 0; set < 4; ++set) {
      waiting.sizes[set] = sets[set]->size();
      waiting_sets_.insert(waiting_sets_.end(), sets[set]->begin(), sets[set]->end());
    }
  }

  // FreshIndex decides on the waiting candidates, in the order they came:
  // each first has its table entries fetched, so that the look-ups of
  // several candidates overlap. Those accepted join the new concepts.
  void decide_waiting(std::uint32_t cur) {
    const auto sets_of = [&](const Waiting& waiting) {
      std::array<std::span<const int>, 4> sets;
      std::size_t at = waiting.begin;
      for (std::uint32_t set = 0; set < 4; ++set) {
        sets[set] = std::span(waiting_sets_).subspan(at, waiting.sizes[set]);
        at += waiting.sizes[set];
      }
      return sets;
    };
    for (Waiting& waiting : waiting_) {
      const auto sets = sets_of(waiting);
      waiting.ticket = fresh_index_.prepare(sets[0], sets[1], sets[2], sets[3]);
    }
    for (const Waiting& waiting : waiting_) {
      const auto sets = sets_of(waiting);
      if (fresh_index_.accept(sets[0], sets[1], sets[2], sets[3], waiting.ticket)) {
        add_new_concept(cur, waiting.k);
      }
    }
    waiting_.clear();
    waiting_sets_.clear();
  }

  // The new concept of the current concept and k: its common lists in the
  // current concept's order, and as grown list the current one as it stands,
  // then what k adds.
  void add_new_concept(std::uint32_t cur, std::uint32_t k) {
    const TriConcept& current = store_[cur];
    NewSets& added = fresh_.emplace_back();
    for (std::uint32_t s = 0; s < kCompared; ++s) {
      common(current.*index_->member(s), index_->sorted(k, s), added.list(index_->member(s)));
    }
    std::vector<int>& united = added.list(roles_.grown);
    united = current.*roles_.grown;
    union_marks_.clear();
    for (const int x : store_[k].*roles_.grown) {
      if (!grown_marks_.has(x) && !union_marks_.has(x)) {
        union_marks_.insert(x);
        united.push_back(x);
      }
    }
  }

  // The new concepts join the end of the store, in the order they were
  // accepted; the store grows once, to the exact size.
  void append_new_concepts() {
    store_.reserve(store_.size() + fresh_.size());
    for (NewSets& sets : fresh_) {
      TriConcept& added = store_.emplace_back();
      added.us = std::move(sets.us);
      added.ts = std::move(sets.ts);
      added.rs = std::move(sets.rs);
      added.ds = std::move(sets.ds);
    }
    fresh_ = {};
  }

  std::vector<TriConcept>& store_;
  const ExtensionRoles roles_;
  std::unique_ptr<const PassIndex> index_;
  const std::size_t n_;
  std::vector<char> alive_;
  ElementMarks grown_marks_;  // elements of the current concept's grown list
  ElementMarks union_marks_;
  std::vector<int> common_sorted_[kCompared];  // U, T, third
  std::vector<int> grown_sorted_, union_sorted_;
  std::size_t words_ = 0;     // bitset words per neighbour of the current concept
  Neighbours compared_here_;  // see scan()
  // Candidates met for the first time during the current concept's scan,
  // waiting for FreshIndex (see decide_waiting()): the neighbour they come
  // from and their four sorted sets, U, T, R, D, one after the other from
  // `begin` in waiting_sets_.
  struct Waiting {
    std::uint32_t k = 0;
    std::uint64_t ticket = 0;
    std::size_t begin = 0;
    std::size_t sizes[4] = {};
  };
  std::vector<Waiting> waiting_;
  std::vector<int> waiting_sets_;
  // Candidates decided on during the current concept's scan since its grown
  // list last changed: the bitsets of its common lists, then what the
  // neighbour added to the grown list.
  WordKeys decided_;
  std::vector<std::uint64_t> added_;  // what k adds to the grown list, see try_new_concept()
  FreshIndex fresh_index_{FreshIndex::kU | FreshIndex::kT | FreshIndex::kR | FreshIndex::kD};
  // A new concept waiting to join the store: its four sets only (the other
  // members of a record stay empty), so that waiting costs less than a record.
  struct NewSets {
    std::vector<int> us, ts, rs, ds;
    std::vector<int>& list(SetMember m) {
      return m == &TriConcept::us ? us : m == &TriConcept::ts ? ts : m == &TriConcept::rs ? rs : ds;
    }
  };
  std::vector<NewSets> fresh_;
};

void extend(std::vector<TriConcept>& store, const char* name, const Thresholds& thresholds,
            const ExtensionRoles& roles, const ExtensionOptions& options) {
  progress_begin(name, store.size());
  ExtensionPass(store, thresholds, roles).run(options);
  progress_end();
}

}  // namespace

void extend_resources(std::vector<TriConcept>& store, const Thresholds& thresholds,
                      const ExtensionOptions& options) {
  extend(store, "resource pass", thresholds,
         {&TriConcept::rs, &TriConcept::ts, thresholds.t, &TriConcept::ds, thresholds.d, false},
         options);
}

void extend_ds(std::vector<TriConcept>& store, const Thresholds& thresholds,
               const ExtensionOptions& options) {
  extend(store, "D pass", thresholds,
         {&TriConcept::ds, &TriConcept::rs, thresholds.r, &TriConcept::rs, thresholds.r, true},
         options);
}

}  // namespace quadmine

void find_rs() {
  indices_rs.clear();
  quadmine::extend_resources(ens_tc, quadmine::thresholds_from_globals(), {});
}

void find_ds() {
  indices_ds.clear();
  quadmine::extend_ds(ens_tc, quadmine::thresholds_from_globals(), {});
}
