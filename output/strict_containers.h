// StrictContainers: the first strict container of concepts of a
// ContainmentIndex (see first_strict_container), worked out by a
// StrictContainerSearch that runs ahead of the report loop as the producer of
// a WorkAhead (threads/work_ahead.h), in a second thread.
//
// The ids come in blocks; the search answers for the first block of every
// `share`, and the loop searches for the others itself, so that both threads
// walk containers. Only the concepts that may reach the final filter are
// looked at: those without a repeated element, with at least one element,
// whose sets reach the thresholds. The search reads the index and the store
// through const references and holds the thresholds by copy; the loop changes
// neither the index nor the store until stop() has returned (it keeps which
// concepts are alive apart, and moves the reported ones out afterwards).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "output/containment_index.h"
#include "store/thresholds.h"
#include "store/triconcept.h"
#include "threads/work_ahead.h"

namespace quadmine {

// Answers for the concepts from `first` on, one per id.
struct ContainerAnswers {
  std::size_t first = 0;
  std::vector<std::uint32_t> answers;
};

// The producer: answers for a block of ids at a time, skipping the blocks the
// loop searches itself. The concepts whose containers it walks count as its
// work (AheadCounts::producer_work).
class StrictContainerSearch {
 public:
  using Buffer = ContainerAnswers;

  // The answer for a concept that is not looked at.
  static constexpr std::uint32_t kUnknown = ContainmentIndex::kNoContainer - 1;

  StrictContainerSearch(const ContainmentIndex& index, const std::vector<TriConcept>& store,
                        Thresholds thresholds, std::size_t block, std::size_t share);
  bool fill(ContainerAnswers& buffer, AheadState& state);

 private:
  const ContainmentIndex& index_;
  const std::vector<TriConcept>& store_;
  const Thresholds thresholds_;
  const std::size_t block_;
  const std::size_t share_;
  std::size_t first_ = 0;             // of the next block to answer for
  std::vector<std::uint32_t> lists_;  // scratch
  std::vector<std::size_t> cursors_;  // scratch
};

class StrictContainers {
 public:
  static constexpr std::uint32_t kUnknown = StrictContainerSearch::kUnknown;

  // Starts the search (in a second thread as `options` allow) over blocks of
  // `block` ids, answering for the first of every `share` blocks (0 counts as
  // 1 for both).
  StrictContainers(const ContainmentIndex& index, const std::vector<TriConcept>& store,
                   const Thresholds& thresholds, std::size_t block, std::size_t share,
                   const AheadOptions& options);

  // Releases the search's thread and joins it, so that the store may change.
  void stop() { ahead_.stop(); }

  // The first strict container of concept `id`, ContainmentIndex::kNoContainer
  // or kUnknown. Ids must be asked in ascending order. Raises the search's
  // failure, if any.
  std::uint32_t of(std::size_t id);

 private:
  const std::size_t block_;
  const std::size_t share_;
  WorkAhead<StrictContainerSearch> ahead_;
  const ContainerAnswers* answers_ = nullptr;
};

}  // namespace quadmine
