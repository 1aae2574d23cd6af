#include "output/strict_containers.h"

#include <exception>
#include <functional>
#include <system_error>

namespace quadmine {

namespace {

constexpr std::size_t kPerBlock = 4096;
constexpr std::size_t kBlocks = 16;
// The thread answers for the first block of ids of every kShare, the loop
// searches for the others itself, so that both threads walk containers.
constexpr std::size_t kShare = 2;

void find_all(const ContainmentIndex& index, const std::vector<TriConcept>& store,
              const Thresholds& thresholds, Handoff<StrictContainers::Block>& handoff) {
  try {
    std::vector<IdList> lists;
    std::vector<std::size_t> cursors;
    for (std::size_t first = 0; first < store.size(); first += kPerBlock * kShare) {
      StrictContainers::Block* block = handoff.to_fill();
      if (block == nullptr) return;
      block->first = first;
      block->answers.clear();
      for (std::size_t id = first; id < store.size() && id < first + kPerBlock; ++id) {
        std::uint32_t answer = StrictContainers::kUnknown;
        if (index.without_repeats(id) && thresholds.all_reached(store[id])) {
          index.holder_lists(store[id], lists);
          if (!lists.empty()) answer = index.first_strict_container(id, lists, cursors);
        }
        block->answers.push_back(answer);
      }
      handoff.filled();
    }
    handoff.finish();
  } catch (...) {
    handoff.finish(std::current_exception());
  }
}

}  // namespace

StrictContainers::StrictContainers(const ContainmentIndex& index,
                                   const std::vector<TriConcept>& store,
                                   const Thresholds& thresholds, bool in_thread)
    : handoff_(kBlocks) {
  if (!in_thread) return;
  try {
    thread_.emplace(find_all, std::cref(index), std::cref(store), std::cref(thresholds),
                    std::ref(handoff_));
  } catch (const std::system_error&) {  // no thread to be had: no answers
  }
}

void StrictContainers::stop() {
  if (!thread_) return;
  handoff_.stop();
  thread_->join();
  thread_.reset();
}

std::uint32_t StrictContainers::of(std::size_t id) {
  if (!thread_ || id / kPerBlock % kShare != 0) return kUnknown;
  for (;;) {
    if (block_ == nullptr) {
      block_ = handoff_.next();
      if (block_ == nullptr) std::terminate();  // the thread answers for every id
    }
    if (id < block_->first) std::terminate();  // asked out of order
    if (id - block_->first < block_->answers.size()) return block_->answers[id - block_->first];
    handoff_.release();
    block_ = nullptr;
  }
}

}  // namespace quadmine
