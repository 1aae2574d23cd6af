#include "output/strict_containers.h"

#include <algorithm>
#include <exception>

namespace quadmine {

StrictContainerSearch::StrictContainerSearch(const ContainmentIndex& index,
                                             const std::vector<TriConcept>& store,
                                             Thresholds thresholds, std::size_t block,
                                             std::size_t share)
    : index_(index),
      store_(store),
      thresholds_(thresholds),
      block_(std::max<std::size_t>(block, 1)),
      share_(std::max<std::size_t>(share, 1)) {}

bool StrictContainerSearch::fill(ContainerAnswers& buffer, AheadState& state) {
  if (first_ >= store_.size()) return false;
  buffer.first = first_;
  buffer.answers.clear();
  for (std::size_t id = first_; id < store_.size() && id < first_ + block_; ++id) {
    std::uint32_t answer = kUnknown;
    if (index_.without_repeats(id) && thresholds_.all_reached(store_[id])) {
      index_.holder_lists(store_[id], lists_);
      if (!lists_.empty()) {
        answer = index_.first_strict_container(id, lists_, cursors_);
        state.count_work(1);
      }
    }
    buffer.answers.push_back(answer);
  }
  first_ += block_ * share_;
  return true;
}

StrictContainers::StrictContainers(const ContainmentIndex& index,
                                   const std::vector<TriConcept>& store,
                                   const Thresholds& thresholds, std::size_t block,
                                   std::size_t share, const AheadOptions& options)
    : block_(std::max<std::size_t>(block, 1)),
      share_(std::max<std::size_t>(share, 1)),
      ahead_(options, index, store, thresholds, block_, share_) {}

std::uint32_t StrictContainers::of(std::size_t id) {
  if (id / block_ % share_ != 0) return kUnknown;
  for (;;) {
    if (answers_ == nullptr) {
      answers_ = ahead_.next();
      if (answers_ == nullptr) std::terminate();  // the search answers for every block asked
    }
    if (id < answers_->first) std::terminate();  // asked out of order
    if (id - answers_->first < answers_->answers.size())
      return answers_->answers[id - answers_->first];
    answers_ = nullptr;  // the next call to next() leaves it to the search
  }
}

}  // namespace quadmine
